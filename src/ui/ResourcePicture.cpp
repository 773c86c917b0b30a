#include "ui/ResourcePicture.h"

#include <QImageReader>

namespace pictaven {

namespace {

// The files are BMP whatever their extension says.
QPixmap readBitmap(const QString& path)
{
    QImageReader reader(path, "bmp");
    return QPixmap::fromImage(reader.read());
}

QString doubleSizePath(const std::string& path)
{
    const QString single = QString::fromStdString(path);
    const qsizetype dot = single.lastIndexOf('.');
    const qsizetype slash = single.lastIndexOf('/');
    if (dot <= slash)
        return single + "@2x";
    return single.left(dot) + "@2x" + single.mid(dot);
}

} // namespace

QIcon resourceIcon(const std::string& path)
{
    QIcon icon;
    for (const QString& file : {QString::fromStdString(path), doubleSizePath(path)}) {
        if (const QPixmap picture = readBitmap(file); !picture.isNull())
            icon.addPixmap(picture);
    }
    return icon;
}

QPixmap resourcePixmap(const std::string& path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1.0) {
        QPixmap large = readBitmap(doubleSizePath(path));
        if (!large.isNull()) {
            large.setDevicePixelRatio(2.0);
            return large;
        }
    }
    return readBitmap(QString::fromStdString(path));
}

} // namespace pictaven
