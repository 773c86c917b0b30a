#include "decoders/Decoders.h"
#include "imaging/DecoderError.h"

namespace pictaven {
namespace {

// Debian has no library that renders enhanced metafiles into pixels, so they are refused with
// a message that says so rather than converted into an empty picture.
[[noreturn]] void refuseMetafile(const std::string& name)
{
    throw DecoderError(name, "Windows metafiles cannot be converted into pictures by this program");
}

} // namespace

ImageSize readMetafileSize(std::span<const std::uint8_t>, const std::string& name)
{
    refuseMetafile(name);
}

Bitmap decodeMetafile(std::span<const std::uint8_t>, const std::string& name)
{
    refuseMetafile(name);
}

} // namespace pictaven
