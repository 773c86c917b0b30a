#include "WindowPicture.h"

#include "decoders/BmpWriter.h"
#include "WindowPalette.h"

#include <filesystem>

namespace pictaven::makedata {

WindowPicture panelPicture(std::string path, int units, std::function<void(IconCanvas&)> draw)
{
    return {std::move(path), [units, draw = std::move(draw)](float scale) {
                IconCanvas canvas(units, units, scale);
                draw(canvas);
                return canvas.toBitmap(palette::Panel);
            }};
}

std::string doubleSizePath(const std::string& path)
{
    const std::size_t dot = path.rfind('.');
    return path.substr(0, dot) + "@2x" + path.substr(dot);
}

std::vector<std::string> writeWindowPictures(const std::vector<WindowPicture>& pictures,
                                             const std::string& folder)
{
    std::vector<std::string> written;
    for (const WindowPicture& picture : pictures) {
        std::filesystem::create_directories(std::filesystem::path(folder + picture.path).parent_path());
        writeBmp(picture.draw(1.0f), folder + picture.path);
        written.push_back(picture.path);
        writeBmp(picture.draw(2.0f), folder + doubleSizePath(picture.path));
        written.push_back(doubleSizePath(picture.path));
    }
    return written;
}

} // namespace pictaven::makedata
