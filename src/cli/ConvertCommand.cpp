#include "cli/Commands.h"

#include "app/ProgramFolder.h"
#include "app/SettingsStore.h"
#include "decoders/PictureLoader.h"
#include "imaging/JpegCodec.h"
#include "imaging/JpegQuality.h"
#include "ini/AsciiCase.h"
#include "ini/IntegerText.h"

#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace pictaven::cli {

namespace {

// Compression2 from settings.ini in the program folder, read without writing anything there.
int storedConversionQuality()
{
    JpegQualitySettings settings;
    settings.compression2 = 97;
    const SettingsStore store(resolveProgramFolder());
    if (const auto stored = store.read("Compression2"))
        settings.compression2 = decimalToInt(*stored);
    return jpegQuality(JpegOutput::ConvertedPhoto, settings);
}

} // namespace

// Reads any picture the album accepts and writes it as JPEG, as generation does with photos
// browsers cannot show.
int runConvertCommand(const std::vector<std::string>& args)
{
    std::vector<std::string> paths;
    int quality = -1;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--quality" && i + 1 < args.size()) {
            const auto value = parseInteger(args[++i]);
            if (!value || *value < 0 || *value > 100)
                throw std::runtime_error("--quality takes a number from 0 to 100, not '" + args[i] + "'");
            quality = *value;
        } else {
            paths.push_back(args[i]);
        }
    }
    if (paths.size() != 2) {
        std::cerr << "Usage: pictaven-cli convert IN OUT.jpg [--quality Q]\n";
        return 2;
    }
    // JPEG data under another picture format's name would be misread by whatever opens it.
    const std::string extension = asciiLower(std::filesystem::path(paths[1]).extension().string());
    if (extension != ".jpg" && extension != ".jpeg" && extension != ".jpe" && extension != ".jfif")
        throw std::invalid_argument("the output is written as JPEG, so its name must end in .jpg, .jpeg, .jpe "
                                    "or .jfif: " + paths[1]);
    if (quality < 0)
        quality = storedConversionQuality();
    writeJpeg(loadPicture(paths[0]), paths[1], quality);
    return 0;
}

} // namespace pictaven::cli
