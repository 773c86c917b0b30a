#include "decoders/Decoders.h"
#include "imaging/JpegCodec.h"

namespace pictaven
{

Bitmap decodeJpegFile(std::span<const std::uint8_t> data, const std::string& name)
{
    return decodeJpeg(data.data(), data.size(), name);
}

ImageSize readJpegFileSize(std::span<const std::uint8_t> data, const std::string& name)
{
    return decodeJpegSize(data.data(), data.size(), name);
}

} // namespace pictaven
