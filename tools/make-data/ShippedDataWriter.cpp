#include "ShippedDataWriter.h"

#include "BackgroundGradient.h"
#include "ColourSample.h"
#include "decoders/BmpWriter.h"
#include "ErrorPicture.h"
#include "NavigationButtons.h"
#include "PictureTemplate.h"
#include "SoftEdgeMask.h"
#include "StepPictures.h"
#include "Textures.h"
#include "ToolBarPictures.h"
#include "imaging/JpegCodec.h"

#include <filesystem>

namespace pictaven::makedata {

std::vector<std::string> writeShippedData(const std::string& folder)
{
    for (const char* sub : {"NAVBUTS", "ALBUMS", "buttons", "backgrnd", "resource"})
        std::filesystem::create_directories(folder + sub);
    std::vector<std::string> written = writeNavigationButtons(folder);

    // A large mask keeps its steps small when it is stretched over a photo; the high quality
    // keeps the ramp free of blocks.
    writeJpeg(drawSoftEdgeMask(640, 480), folder + "mask.jpg", 95);
    written.push_back("mask.jpg");
    writeBmp(drawErrorPicture(), folder + "buttons/error.bmp");
    written.push_back("buttons/error.bmp");
    writeBmp(drawColourSample(), folder + "resource/preview.bmp");
    written.push_back("resource/preview.bmp");

    for (const PictureTemplate& pictureTemplate :
         {drawAlbumTemplate(), drawFilmstripTemplate(), drawCorkboardTemplate(), drawGalleryTemplate(),
          drawResponsiveTemplate()}) {
        for (std::string& path : writePictureTemplate(pictureTemplate, folder))
            written.push_back(std::move(path));
    }
    for (const Texture& texture : drawTextures()) {
        writeJpeg(texture.picture, folder + "backgrnd/" + texture.fileName, 90);
        written.push_back("backgrnd/" + texture.fileName);
    }
    std::vector<WindowPicture> windowPictures = toolBarPictures();
    for (WindowPicture& picture : stepPictures())
        windowPictures.push_back(std::move(picture));
    windowPictures.push_back(backgroundGradient());
    for (std::string& path : writeWindowPictures(windowPictures, folder))
        written.push_back(std::move(path));
    return written;
}

} // namespace pictaven::makedata
