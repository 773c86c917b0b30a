#include "WorkspaceFixture.h"

namespace pictaven::test {

namespace {

void put(std::string& bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

std::string bmpBytes(std::int32_t width, std::int32_t height)
{
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t pixels = stride * static_cast<std::uint32_t>(height);
    std::string bytes = "BM";
    put(bytes, 54 + pixels, 4);
    put(bytes, 0, 4);
    put(bytes, 54, 4);
    put(bytes, 40, 4);
    put(bytes, static_cast<std::uint32_t>(width), 4);
    put(bytes, static_cast<std::uint32_t>(height), 4);
    put(bytes, 1, 2);
    put(bytes, 24, 2);
    put(bytes, 0, 4);
    put(bytes, pixels, 4);
    put(bytes, 2835, 4);
    put(bytes, 2835, 4);
    put(bytes, 0, 4);
    put(bytes, 0, 4);
    bytes.append(pixels, '\xFF');
    return bytes;
}

} // namespace pictaven::test
