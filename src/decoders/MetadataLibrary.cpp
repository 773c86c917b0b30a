#include "decoders/MetadataLibrary.h"

#include <exiv2/exiv2.hpp>
#include <mutex>

namespace pictaven {

void prepareMetadataLibrary()
{
    static std::once_flag prepared;
    std::call_once(prepared, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize();
    });
}

} // namespace pictaven
