#include "session/WorkspaceGeneration.h"

#include "generate/AlbumGenerator.h"
#include "ini/FilePaths.h"
#include "session/Workspace.h"

namespace pictaven {

AlbumJob makeAlbumJob(const Workspace& workspace)
{
    const Catalog& catalog = workspace.catalog();
    AlbumJob job;
    job.settings = workspace.albumSettings();
    job.programFolder = workspace.programFolder();
    job.outputFolder = workspace.outputFolder();
    for (const AlbumItem& item : catalog.photos)
        job.photos.push_back(item.storage);
    job.albumTitle = catalog.albumTitle;
    if (!catalog.name.empty())
        job.catalogPath = withTrailingSlash(catalog.folder) + catalog.name;
    job.templateIndex = catalog.templateIndex;
    job.templateName = catalog.templateName;
    job.photoPageTexture = catalog.photoPageTexture;
    job.indexPageTexture = catalog.indexPageTexture;
    job.smartRender = workspace.generationFlags().smartRender;
    job.rerenderPhotos = workspace.generationFlags().rerenderPhotos;
    job.compression1 = workspace.globalSettings().compression1;
    job.compression2 = workspace.globalSettings().compression2;
    job.publishedMetadata = catalog.publishedMetadata;
    return job;
}

void applyGenerationResult(Workspace& workspace, const AlbumGenerator& generator)
{
    const AlbumJob& job = generator.job();
    std::vector<AlbumItem>& photos = workspace.catalog().photos;
    for (std::size_t i = 0; i < job.photos.size() && i < photos.size(); ++i) {
        FileStorage& photo = photos[i].storage;
        if (photo.SourcePath != job.photos[i].SourcePath)
            continue;
        photo.WorkingPath = job.photos[i].WorkingPath;
        photo.Converted = job.photos[i].Converted;
    }
    GenerationFlags& flags = workspace.generationFlags();
    flags.rerenderPhotos = job.rerenderPhotos;
    if (!job.basicAlbum()) {
        workspace.albumSettings().ThumbWidth = job.settings.ThumbWidth;
        workspace.albumSettings().ThumbHeight = job.settings.ThumbHeight;
    }
    if (generator.pagePhaseRan()) {
        flags.indexPageList = generator.indexPageList();
        flags.albumPictureList = generator.albumPictureList();
    }
    if (generator.albumGenerated())
        workspace.guards().albumGenerated = true;
}

} // namespace pictaven
