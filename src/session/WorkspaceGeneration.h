#pragma once

#include "generate/AlbumJob.h"

namespace pictaven {

class AlbumGenerator;
class Workspace;

// The Generate command's boundary with the workspace: what a generation copies out before it
// starts, and what the workspace takes back once it has ended. Both run on the thread that
// owns the workspace (the window's), while no generation changes it.

// The current settings, catalog (photos, title, file, template, textures), program and output
// folders, generation flags and the JPEG qualities of the global settings.
AlbumJob makeAlbumJob(const Workspace& workspace);

// After generator.generate() has returned: each photo's WorkingPath and Converted (only for a
// photo still at its place in the list with the same SourcePath, in case the list changed),
// RerenderPhotos, a picture album's fitted ThumbWidth and ThumbHeight, the index page and album
// picture lists when a page phase ran, and the generated-album guard when a full album was made.
void applyGenerationResult(Workspace& workspace, const AlbumGenerator& generator);

} // namespace pictaven
