#include "DesktopIcons.h"

#include "PngWriter.h"
#include "WindowMotifs.h"
#include "WindowPalette.h"

#include <filesystem>

namespace pictaven::makedata {

namespace {

using namespace palette;

constexpr int Units = 48;

// A blue tile holding two photos, one laid over the other.
Canvas drawIcon(int size)
{
    IconCanvas c(Units, Units, static_cast<float>(size) / Units);
    const Shape tile = c.rect(3, 3, 45, 45, 10);
    c.glow(c.rect(3, 5, 45, 46, 10), Rgba::rgb(0, 0, 0, 0.25f), 2);
    c.fill(tile, c.vertical(3, 45, Rgba::rgb(112, 156, 236), Rgba::rgb(46, 92, 196)));
    c.fill(subtract(tile, c.grow(tile, -1)), Ink, 0.35f);
    c.outlined(c.turnedRect(20, 21, 26, 20, -0.2f), Rgba::rgb(255, 226, 150), Ink, 1.5f);
    drawPhoto(c, {14, 17, 26, 20}, 1.5f);
    return c.canvas();
}

} // namespace

std::vector<std::string> writeDesktopIcons(const std::string& folder)
{
    std::vector<std::string> written;
    for (const int size : {48, 128, 256}) {
        const std::string side = std::to_string(size);
        const std::string path = "hicolor/" + side + "x" + side + "/apps/pictaven.png";
        std::filesystem::create_directories(std::filesystem::path(folder + path).parent_path());
        writePng(drawIcon(size), folder + path);
        written.push_back(path);
    }
    return written;
}

} // namespace pictaven::makedata
