#include "AlbumLayout.h"

#include "support/TempDir.h"

namespace pictaven::test {

namespace {

// Distinct content per file: text with CR LF line ends for pages, all byte values otherwise.
std::string contentFor(const std::string& name)
{
    if (name.find(".htm") != std::string::npos)
        return "<html>\r\n<head><title>" + name + "</title></head>\r\n<body>page</body>\r\n</html>\r\n";
    std::string bytes = name + '\0';
    unsigned seed = static_cast<unsigned>(name.size()) * 2654435761u;
    for (int i = 0; i < 5000 + static_cast<int>(name.size()) * 997; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes.push_back(static_cast<char>(seed >> 23));
    }
    return bytes;
}

} // namespace

AlbumLayout::AlbumLayout(const std::filesystem::path& root)
{
    const auto out = root / "out";
    const auto audio = root / "audio";
    std::filesystem::create_directories(out);
    std::filesystem::create_directories(audio);
    outputFolder = out.string() + "/";

    const char* outputFiles[] = {
        "myalbum.htm", "myalbum2.htm", "myalbum_frame.htm", "album_style.css",
        "jpg_Beach_Day___Night.htm", "jpg_DSC01.htm", "jpg_scan.htm",
        "thumb_jpg_Beach_Day___Night.jpg", "thumb_jpg_DSC01.jpg", "thumb_jpg_scan.jpg",
        "Beach_Day___Night.JPG", "DSC01.jpg", "scan.jpg",
        "paper_texture.jpg", "Stone.gif", "3Index.gif", "3Next.gif", "3Prev.gif", "3Home.gif",
        "home.gif", "first.gif", "prev.gif", "next.gif", "last.gif", "speaker.gif", "song.mid",
    };
    for (const char* name : outputFiles) {
        remote[name] = contentFor(name);
        writeFile(out / name, remote[name]);
    }
    // The photo's audio file where the catalog names it; the upload sends generation's copy.
    writeFile(audio / "song.mid", "the catalog's own file");

    AlbumSettings& settings = job.settings;
    settings.MultiWindow = true;
    settings.Substitutions = true;
    settings.LowercaseFiles = false;
    settings.StyleSheetType = 1;
    settings.StyleSheet = "/elsewhere/album style.css";
    settings.ButtonType = 3;
    settings.HomeButtonEnable = true;
    settings.NextButtonImage = "/program/NAVBUTS/3Next.gif";
    settings.PrevButtonImage = "/program/NAVBUTS/3Prev.gif";
    settings.IndexButtonImage = "/program/NAVBUTS/3Index.gif";
    settings.HomeButtonImage = "/program/NAVBUTS/3Home.gif";
    job.outputFolder = outputFolder;
    job.basicAlbum = true;
    job.photoPageTexture = "/program/backgrnd/paper texture.jpg";
    job.indexPageTexture = "/program/backgrnd/Stone.gif";
    job.photos = {
        {"/photos/Beach Day & Night.JPG", ""},
        {"/photos/DSC01.jpg", (audio / "song.mid").string()},
        {outputFolder + "scan.jpg", (audio / "missing.wav").string()},
    };
    job.framePage = outputFolder + "myalbum_frame.htm";
    job.indexPages = {outputFolder + "myalbum.htm", outputFolder + "myalbum2.htm"};
    job.albumPictures = {outputFolder + "myalbum_thumb.jpg", outputFolder + "myalbum_thumb2.jpg"};
}

} // namespace pictaven::test
