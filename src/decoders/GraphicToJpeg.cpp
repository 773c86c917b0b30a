#include "decoders/GraphicToJpeg.h"

#include "decoders/PictureLoader.h"
#include "imaging/GraphicFormats.h"
#include "imaging/JpegCodec.h"

#include <exception>
#include <filesystem>

namespace pictaven {

void graphicToJpeg(const std::string& sourcePath, std::string& workingPath, bool& converted,
                   const GraphicToJpegContext& context)
{
    if (isWebFormat(sourcePath))
        return;
    Bitmap picture;
    try {
        picture = loadPicture(sourcePath);
    } catch (const std::exception& error) {
        context.logMessage("Error reading file " + sourcePath + "\r\n " + error.what());
    }
    try {
        namespace fs = std::filesystem;
        converted = true;
        workingPath = sourcePath;
        workingPath = context.outputFolder + context.fileName;
        // A read-only copy left by an earlier run must not stop the new one.
        std::error_code ignored;
        fs::permissions(workingPath, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ignored);
        fs::remove(workingPath, ignored);
        if (context.writeJpeg)
            context.writeJpeg(picture, workingPath, context.quality);
        else
            writeJpeg(picture, workingPath, context.quality);
    } catch (const std::exception& error) {
        context.logMessage("Error converting [" + sourcePath + "] to JPEG \n\r" + error.what());
    }
}

std::string convertedFileName(const std::string& sourcePath)
{
    return std::filesystem::path(sourcePath).filename().replace_extension(".jpg").string();
}

} // namespace pictaven
