#pragma once

#include <QIcon>
#include <QPixmap>
#include <string>

namespace pictaven {

// The pictures of the windows are bitmap files in the program folder ("resource/New.res"), each
// with a double-size version beside it for high-density screens ("resource/New@2x.res").

// Both sizes as one icon; an icon without pictures when neither file can be read.
QIcon resourceIcon(const std::string& path);

// The version that suits `devicePixelRatio` (the double size above 1 when it exists), with its
// ratio set so that it is drawn at the single size; a null pixmap when no file can be read.
QPixmap resourcePixmap(const std::string& path, qreal devicePixelRatio);

} // namespace pictaven
