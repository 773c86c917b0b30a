#include "AlbumFixture.h"

#include "generate/AlbumGenerator.h"
#include "generate/OutputNames.h"
#include "generate/PageGridRules.h"
#include "generate/ResponsiveAlbum.h"
#include "imaging/BitmapDrawing.h"
#include "imaging/JpegCodec.h"

#include <filesystem>

namespace pictaven::test {

AlbumFixture::AlbumFixture(const std::string& folder)
    : photoFolder(folder + "photos/"), outputFolder(folder + "out/")
{
    std::filesystem::create_directories(photoFolder);
    std::filesystem::create_directories(outputFolder);
    job.outputFolder = outputFolder;
    job.programFolder = folder;
    job.albumTitle = "Album";
    events.logMessage = [this](const std::string& message) { messages.push_back(message); };
}

FileStorage& AlbumFixture::addPhoto(const std::string& name, int width, int height)
{
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, Colour{static_cast<std::uint8_t>(x * 255 / width),
                                          static_cast<std::uint8_t>(y * 255 / height), 128});
    }
    writeJpeg(picture, photoFolder + name, 90);
    FileStorage photo;
    photo.SourcePath = photoFolder + name;
    photo.WorkingPath = photo.SourcePath;
    job.photos.push_back(photo);
    return job.photos.back();
}

void AlbumFixture::usePictureTemplate(int width, int height)
{
    job.templateIndex = 1;
    job.templateName = "Frame";
    background = Bitmap(width, height);
    fillRect(background, {0, 0, width, height}, Colour{96, 96, 96});
    fillRect(background, {8, 8, width - 8, height - 8}, Colour{255, 255, 255});
}

std::vector<IndexPageArguments> AlbumFixture::pages(int m) const
{
    const AlbumSettings& s = job.settings;
    const auto count = static_cast<int>(job.photos.size());
    const int total = s.SneakPeek ? 1 : (count + m - 1) / m;
    auto indexPage = [&](int k) { return outputFolder + OutputNames::indexPageFileName(s.AlbumShortName, k); };
    std::vector<IndexPageArguments> result;
    for (int k = 1; (k - 1) * m < count; ++k) {
        const int v = (k - 1) * m;
        IndexPageArguments page;
        page.firstPhoto = v;
        page.endPhoto = v + m;
        page.totalPages = total;
        page.pageNumber = k;
        page.firstPage = indexPage(1);
        page.lastPage = s.SneakPeek ? std::string() : indexPage(total);
        page.nextPage = v + m < count && !s.SneakPeek ? indexPage(k + 1) : std::string();
        page.previousPage = k > 1 ? indexPage(k - 1) : std::string();
        page.thisPage = indexPage(k);
        page.albumPicture = outputFolder + OutputNames::albumPictureFileName(s.AlbumShortName, k);
        result.push_back(page);
        if (s.SneakPeek)
            break;
    }
    return result;
}

bool AlbumFixture::writeAllPages()
{
    if (ResponsiveAlbum::chosen(job)) {
        if (withResponsiveFiles) {
            const std::string shipped = ResponsiveAlbum::shippedFolder(job.programFolder);
            std::filesystem::create_directories(shipped);
            std::filesystem::copy(ResponsiveAlbum::shippedFolder(std::string(PICTAVEN_SOURCE_DATA_DIR) + "/"), shipped,
                                  std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
        }
        GenerationControl control;
        AlbumGenerator generator(job, events, control, 1);
        return succeeded(generator.generate());
    }
    const PageGrid grid = job.basicAlbum() ? basicPageGrid(job.settings)
                                           : graphicalPageGrid(job.settings, background.width(), background.height());
    IndexPageWriter writer(job, grid, job.basicAlbum() ? nullptr : &background, events, cancel);
    writer.setMapNumberSource([] { return 7; });
    for (const IndexPageArguments& page : pages(grid.pageSize())) {
        if (!writer.createAlbumPage(page))
            return false;
    }
    return true;
}

} // namespace pictaven::test
