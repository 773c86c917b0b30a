#include "decoders/FileBytes.h"

#include "decoders/DecoderError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace pictaven {

std::vector<std::uint8_t> readFileBytes(const std::string& path)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file)
        throw DecoderError(path, std::strerror(errno));
    struct stat status {};
    if (fstat(fileno(file.get()), &status) != 0)
        throw DecoderError(path, std::strerror(errno));
    if (S_ISDIR(status.st_mode))
        throw DecoderError(path, "is a folder");
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    for (;;) {
        const std::size_t count = std::fread(buffer, 1, sizeof buffer, file.get());
        bytes.insert(bytes.end(), buffer, buffer + count);
        if (count < sizeof buffer)
            break;
    }
    if (std::ferror(file.get()))
        throw DecoderError(path, std::strerror(errno));
    return bytes;
}

} // namespace pictaven
