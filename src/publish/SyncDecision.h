#pragma once

#include "publish/SyncRecord.h"
#include "publish/UploadPlan.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace pictaven {

// A file of the album that a sync upload sends, and what it is now.
struct SyncChange {
    UploadStep step;
    SyncedFile now;
};

// A file that earlier uploads sent and the album no longer has.
struct StaleFile {
    std::string name;
    bool onServer = false; // the server still holds it at the size sent; else it is only forgotten
};

// What a sync upload does with the album directory.
struct SyncDecision {
    std::size_t albumFiles = 0;        // the album's files, each remote name once
    std::vector<SyncChange> pictures;  // to send first, put in place together
    std::vector<SyncChange> pages;     // to send once the pictures are in place
    std::vector<std::string> leftovers; // temporary files of album files that a run cut off left behind
    std::vector<StaleFile> stale;       // deleted only when the person asks for it
};

// A file goes again unless the record says it was sent with the same size and content and the
// server still lists it at that size. Photos and pictures go before the pages that show them;
// a remote name that the plan holds twice goes once. Reads the local files, nothing remote.
SyncDecision decideSync(const std::vector<UploadStep>& files, const SyncRecord& record,
                        const std::map<std::string, std::uint64_t>& remoteFiles);

} // namespace pictaven
