#pragma once

#include "publish/UploadJob.h"

#include <string>
#include <vector>

namespace pictaven {

// One file of an upload.
struct UploadStep {
    std::string status;       // the status line while it goes
    bool showsStatus = true;  // false: the line shown for the file before it stands for this one too
    std::string localPath;    // where it is, as generation named it in the output folder
    std::string remoteName;   // its name in the album directory
    bool checkExisting = false; // a photo: left alone when the server has it and overwriting is off

    // A page, which an upload in the classic way sends as text, and a sync upload after the pictures.
    bool isPage() const;
    // Whether the local file is there now.
    bool localFileExists() const;

    bool operator==(const UploadStep&) const = default;
};

// Files that go one after the other into the album directory, which the upload enters afresh
// from the initial directory before them, even when the group has no file.
struct UploadGroup {
    bool listsAgain = false; // the photos' group: the server's listing is read again once there
    std::vector<UploadStep> steps;
};

// Every file of an upload in the order it goes: the frame-set page, the style sheet and index
// pages, the photo pages, the thumbnails or album pictures, the textures and buttons, the photos
// and the audio files, group by group.
struct UploadPlan {
    std::vector<UploadGroup> groups;

    // The steps of all groups, in order.
    std::vector<UploadStep> files() const;
};

// Reads nothing but which files the output folder holds: a button image or an audio file that
// generation did not write is left out, and a file kept in capitals is found under lower-case
// names. A file that is missing otherwise keeps its step, for the upload to stop at.
UploadPlan planUpload(const UploadJob& job);

} // namespace pictaven
