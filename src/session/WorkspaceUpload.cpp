#include "session/WorkspaceUpload.h"

#include "decoders/GraphicToJpeg.h"
#include "decoders/PictureLoader.h"
#include "generate/OutputNames.h"
#include "generate/PageGridRules.h"
#include "generate/ResponsiveAlbum.h"
#include "imaging/GraphicFormats.h"
#include "session/Workspace.h"
#include "settings/TemplateList.h"

#include <filesystem>
#include <stdexcept>

namespace pictaven {

UploadJob makeUploadJob(const Workspace& workspace)
{
    UploadJob job;
    job.profile = workspace.ftpProfile();
    job.proxy = workspace.globalSettings().proxy;
    job.settings = workspace.albumSettings();
    job.outputFolder = workspace.outputFolder();
    const Catalog& catalog = workspace.catalog();
    job.basicAlbum = catalog.templateIndex == 0;
    job.responsiveAlbum = !job.basicAlbum && ResponsiveAlbum::isNamed(catalog.templateName);
    job.photoPageTexture = catalog.photoPageTexture;
    job.indexPageTexture = catalog.indexPageTexture;
    // A converted photo is named by its copy in the output folder, as generation names it.
    const OutputNames names(job.settings);
    for (const AlbumItem& item : catalog.photos) {
        const std::string& source = item.storage.SourcePath;
        const bool converted = !source.empty() && !isWebFormat(source);
        job.photos.push_back({converted ? job.outputFolder + names.webFileName(convertedFileName(source))
                                        : item.storage.WorkingPath,
                              item.storage.AudioFile});
    }
    job.framePage = job.outputFolder + OutputNames::framePageFileName(job.settings.AlbumShortName);
    job.indexPages = workspace.generationFlags().indexPageList;
    job.albumPictures = workspace.generationFlags().albumPictureList;
    return job;
}

namespace {

std::int64_t pageSizeOfAlbum(const UploadJob& job, const Workspace& workspace)
{
    AlbumSettings settings = job.settings;
    if (job.basicAlbum)
        return pageSizeOf(basicPageGrid(settings));
    if (settings.ThumbnailsPerRow < 1 || settings.RowsPerPage < 1)
        return 0;
    const std::string background = TemplateList::templateFile(workspace.programFolder() + "ALBUMS/",
                                                               workspace.catalog().templateName, ".bmp");
    Bitmap picture;
    try {
        picture = loadPicture(background);
    } catch (const std::exception& error) {
        throw std::runtime_error("cannot read the album's background picture " + background + ": " + error.what());
    }
    return pageSizeOf(graphicalPageGrid(settings, picture.width(), picture.height()));
}

} // namespace

void findGeneratedAlbum(UploadJob& job, const Workspace& workspace)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const std::string& shortName = job.settings.AlbumShortName;
    const std::string firstPage = job.outputFolder + OutputNames::indexPageFileName(shortName, 1);
    if (!fs::is_regular_file(firstPage, error))
        throw std::runtime_error("no album has been generated in " + job.outputFolder + " (" + firstPage
                                 + " is missing)");

    job.indexPages.clear();
    job.albumPictures.clear();
    // The responsive album has one index page and no album pictures.
    if (job.responsiveAlbum) {
        job.indexPages.push_back(firstPage);
        return;
    }
    const std::int64_t pageSize = pageSizeOfAlbum(job, workspace);
    const auto photoCount = static_cast<std::int64_t>(job.photos.size());
    std::int64_t pages = pageSize > 0 ? (photoCount + pageSize - 1) / pageSize : 1;
    if (job.settings.SneakPeek)
        pages = std::min<std::int64_t>(pages, 1);
    for (std::int64_t page = 1; page <= pages; ++page) {
        const std::string indexPage = job.outputFolder + OutputNames::indexPageFileName(shortName, static_cast<int>(page));
        if (!fs::is_regular_file(indexPage, error))
            break;
        job.indexPages.push_back(indexPage);
        job.albumPictures.push_back(job.outputFolder
                                    + OutputNames::albumPictureFileName(shortName, static_cast<int>(page)));
    }

}

} // namespace pictaven
