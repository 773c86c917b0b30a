#include "publish/Uploader.h"

#include "ini/FilePaths.h"
#include "ini/IoError.h"
#include "publish/AlbumDirectory.h"
#include "publish/RemoteConnection.h"
#include "publish/RemotePaths.h"

#include <algorithm>

// The sync run of the Uploader: only the files that changed since the last upload to the same
// place go, pictures first, each group put in place once all of it arrived.

namespace pictaven {

bool Uploader::sendSync(const UploadJob& job, const std::vector<UploadStep>& files)
{
    // Every file must be there before the first goes.
    for (const UploadStep& step : files) {
        if (stopped() || !checkLocalFile(step))
            return false;
    }
    if (stopped() || !enterAlbumDirectory())
        return false;
    const std::map<std::string, std::uint64_t> remote = listFileSizes(m_session);
    log("DIR");
    m_listing.clear();
    for (const auto& entry : remote)
        m_listing.push_back(entry.first);

    std::string place =
        job.profile.user + "@" + job.profile.ftp + " " + joinRemoteDir(m_initialDirectory, m_albumDirectory);
    std::replace_if(place.begin(), place.end(), [](char c) { return c == '\r' || c == '\n'; }, '?');
    const std::string recordPath = withTrailingSlash(job.outputFolder) + SyncRecord::fileName;
    std::string note;
    SyncRecord record = SyncRecord::load(recordPath, place, note);
    if (!note.empty())
        log(note);

    const SyncDecision decision = decideSync(files, record, remote);
    log("SYNC " + std::to_string(decision.pictures.size() + decision.pages.size()) + " OF " +
        std::to_string(decision.albumFiles) + " FILES CHANGED");
    for (const std::string& leftover : decision.leftovers) {
        log("DELETE " + leftover);
        m_transfer.removeQuietly(leftover);
    }
    const bool complete = sendGroup(decision.pictures, record) && sendGroup(decision.pages, record);
    if (complete && job.deleteStale)
        removeStale(decision.stale, record);
    try {
        record.save(recordPath);
    } catch (const IoError& failure) {
        m_observer.warning(std::string(failure.what()) + "\r\nThe next sync upload sends every file again.");
    }
    return complete;
}

// The group goes in place only once all of it arrived whole: a failure leaves the server's
// previous version of the group as it was.
bool Uploader::sendGroup(const std::vector<SyncChange>& changes, SyncRecord& record)
{
    std::vector<const SyncChange*> sent;
    std::vector<SentFile> arrived;
    for (const SyncChange& change : changes) {
        status(change.step.status);
        const bool went = !stopped() && sendFile(change.step);
        if (m_stopped) {
            m_transfer.discard(arrived);
            return false;
        }
        if (went) {
            sent.push_back(&change);
            arrived.push_back({change.step.remoteName, change.now.size});
        }
    }
    const SafeTransfer::Placement placement = m_transfer.putInPlace(arrived);
    for (std::size_t i = 0; i < placement.placed; ++i)
        record.set(sent[i]->step.remoteName, sent[i]->now);
    if (placement.placed == arrived.size())
        return true;
    fail("Error uploading file " + placement.failedFile + "\r\n" + placement.failure);
    return false;
}

void Uploader::removeStale(const std::vector<StaleFile>& stale, SyncRecord& record)
{
    for (const StaleFile& file : stale) {
        if (file.onServer) {
            status("Deleting [" + file.name + "]");
            log("DELETE " + file.name);
            try {
                m_session.removeFile(file.name);
            } catch (const FtpError& failure) {
                m_observer.warning("Could not delete " + file.name + " on the web server:\r\n" + failure.what());
                continue;
            }
        }
        record.erase(file.name);
    }
}

} // namespace pictaven
