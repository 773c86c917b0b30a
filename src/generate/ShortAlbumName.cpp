#include "generate/ShortAlbumName.h"

#include "generate/OutputNames.h"

namespace pictaven {

bool ShortAlbumName::acceptsKey(char key)
{
    return (key >= '0' && key <= '9') || (key >= 'a' && key <= 'z') || key == '\b';
}

std::string ShortAlbumName::onExit(const std::string& text)
{
    return text.empty() ? defaultName : text;
}

ShortAlbumName::Paths ShortAlbumName::paths(const std::string& outputFolder, const std::string& name)
{
    return Paths{outputFolder + OutputNames::indexPageFileName(name, 1),
                 outputFolder + OutputNames::framePageFileName(name),
                 outputFolder + OutputNames::albumPictureFileName(name, 1)};
}

std::string ShortAlbumName::problem(const std::string& name)
{
    if (name.empty())
        return "The short album name is empty; enter one on step 2 (for example \"myalbum\").";
    if (name.find('/') != std::string::npos || name.find('\0') != std::string::npos)
        return "The short album name \"" + name +
               "\" cannot name the album's files: it holds a character that file names cannot hold. Use only "
               "\"0\" to \"9\" and \"a\" to \"z\".";
    return {};
}

} // namespace pictaven
