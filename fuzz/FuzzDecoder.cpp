// One libFuzzer target per picture reader: the reader is chosen by PICTAVEN_FUZZ_EXTENSION.
// Damaged input must end in a std::runtime_error naming the file; any other exception, a crash,
// a sanitizer report, a hang or a huge allocation is a finding, and so is a size from the
// header that differs from the decoded picture's.

#include "decoders/Decoders.h"
#include "decoders/PictureFormats.h"
#include "decoders/PictureLoader.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

const std::string Name = "fuzz." PICTAVEN_FUZZ_EXTENSION;

void decode(const std::uint8_t* data, std::size_t size)
{
    if (std::strcmp(PICTAVEN_FUZZ_EXTENSION, "cut") != 0) {
        // The header alone must give the size decoding gives: when both succeed they agree, and
        // a picture that decodes has a header that reads.
        std::optional<pictaven::ImageSize> header;
        try {
            header = pictaven::pictureFormatFor(Name)->readSize({data, size}, Name);
        } catch (const std::runtime_error& error) {
            if (std::string(error.what()).rfind(Name + ": ", 0) != 0)
                __builtin_trap();
        }
        const pictaven::Bitmap picture = pictaven::decodePicture({data, size}, Name);
        if (header != pictaven::ImageSize{picture.width(), picture.height()})
            __builtin_trap();
        return;
    }
    // CUT pictures come with a palette file: the first byte says how much of the input, in
    // 1/256ths, is the picture; the rest is the palette.
    if (size == 0)
        return;
    const std::size_t pictureSize = (size - 1) * data[0] / 256;
    pictaven::decodeCut({data + 1, pictureSize}, Name, {data + 1 + pictureSize, size - 1 - pictureSize}, "fuzz.pal");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        decode(data, size);
    } catch (const std::runtime_error& error) {
        if (std::string(error.what()).rfind(Name + ": ", 0) != 0 && std::string(error.what()).rfind("fuzz.pal: ", 0) != 0)
            __builtin_trap();
    }
    return 0;
}
