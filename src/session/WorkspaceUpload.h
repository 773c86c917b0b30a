#pragma once

#include "publish/UploadJob.h"

namespace pictaven {

class Workspace;

// The Upload command's boundary with the workspace. Runs on the thread that owns the workspace.

// What an upload started now sends: the current FTP profile and proxy settings, the album
// settings (upload directory, passive mode, name rules, buttons, style sheet), the catalog's
// photos (a photo that generation converts to JPEG with the path of its copy in the output
// folder), template kind and textures, the output folder and the page lists of the last
// generation since the program started (empty when there was none). Photos and audio files are
// sent and existing photos overwritten, as step 5 starts.
UploadJob makeUploadJob(const Workspace& workspace);

// For a program that did not generate the album itself (the command line): gives the job the
// index pages and album pictures that generation names for this catalog (short album name,
// page count, album kind; one page in preview mode), keeping those that are in the output
// folder. Throws
// std::runtime_error when the album's first index page is not in the output folder (no album
// generated there) or a picture album's background picture cannot be read.
void findGeneratedAlbum(UploadJob& job, const Workspace& workspace);

} // namespace pictaven
