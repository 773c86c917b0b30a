#include "decoders/FileBytes.h"

#include "imaging/InputFile.h"

namespace pictaven {

std::vector<std::uint8_t> readFileBytes(const std::string& path)
{
    return InputFile(path).readAll();
}

} // namespace pictaven
