#include "publish/SyncDecision.h"

#include "generate/FileDigest.h"
#include "publish/SafeTransfer.h"

#include <filesystem>
#include <set>

namespace pictaven {

namespace {

bool unchanged(const SyncedFile* sent, const SyncedFile& now, const std::map<std::string, std::uint64_t>& remoteFiles,
               const std::string& name)
{
    const auto there = remoteFiles.find(name);
    return sent != nullptr && sent->size == now.size && sent->sha256 == now.sha256 && there != remoteFiles.end() &&
           there->second == sent->size;
}

} // namespace

SyncDecision decideSync(const std::vector<UploadStep>& files, const SyncRecord& record,
                        const std::map<std::string, std::uint64_t>& remoteFiles)
{
    SyncDecision decision;
    std::set<std::string> albumNames;
    for (const bool pages : {false, true}) {
        for (const UploadStep& step : files) {
            if (step.isPage() != pages || !albumNames.insert(step.remoteName).second)
                continue;
            const SyncedFile now{std::filesystem::file_size(step.localPath), fileSha256(step.localPath)};
            if (!unchanged(record.find(step.remoteName), now, remoteFiles, step.remoteName))
                (pages ? decision.pages : decision.pictures).push_back({step, now});
        }
    }
    decision.albumFiles = albumNames.size();
    // Only the names this program gives its temporary files.
    for (const std::string& name : albumNames) {
        if (remoteFiles.contains(SafeTransfer::temporaryName(name)))
            decision.leftovers.push_back(SafeTransfer::temporaryName(name));
    }
    for (const auto& [name, sent] : record.files()) {
        if (albumNames.contains(name))
            continue;
        // A file replaced on the server since is no longer the one this program sent.
        const auto there = remoteFiles.find(name);
        decision.stale.push_back({name, there != remoteFiles.end() && there->second == sent.size});
    }
    return decision;
}

} // namespace pictaven
