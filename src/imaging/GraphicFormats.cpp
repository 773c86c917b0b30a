#include "imaging/GraphicFormats.h"

#include "ini/AsciiCase.h"

namespace pictaven {

bool isWebFormat(const std::string& path)
{
    const std::string lower = asciiLower(path);
    return lower.find(".jp") != std::string::npos || lower.find(".png") != std::string::npos ||
           lower.find(".gif") != std::string::npos;
}

} // namespace pictaven
