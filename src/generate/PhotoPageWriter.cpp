#include "generate/PhotoPageWriter.h"

#include "generate/AlbumJob.h"
#include "generate/GenerationEvents.h"
#include "generate/HtmlText.h"
#include "generate/PageFile.h"
#include "generate/PagePreamble.h"
#include "generate/StyleWriter.h"

namespace pictaven {

namespace {

constexpr const char* fadeInFunction =
    "function FadeIn() { \r\n var photo = document.images['FullSizeImage'];  \r\n"
    " var MSIE = navigator.appName.indexOf('Microsoft'); \r\n if (MSIE == 0) { \r\n"
    "     photo.style.visibility='hidden';  \r\n     photo.style.filter='blendTrans(duration=2.0)';  \r\n"
    "     photo.filters.blendTrans.Apply();  \r\n     photo.style.visibility='visible';  \r\n"
    "     photo.filters.blendTrans.Play();  \r\n } else {  \r\n     photo.style.visibility='visible';  \r\n"
    " }\r\n}\r\n";

std::string attr(const std::string& text)
{
    return HtmlText::attribute(text);
}

} // namespace

PhotoPageWriter::PhotoPageWriter(const AlbumJob& job, const GenerationEvents& events)
    : m_job(job)
    , m_events(events)
    , m_names(job.settings)
    , m_photoNames(m_names.distinctPhotoNames(job.photos))
    , m_navigation(job)
{
}

std::string PhotoPageWriter::pageName(std::size_t photo) const
{
    return m_names.photoPageFileName(m_photoNames[photo]);
}

std::string PhotoPageWriter::imageName(std::size_t photo) const
{
    // A video's page shows its poster until it plays.
    if (const auto video = m_job.videos.find(photo); video != m_job.videos.end())
        return video->second.poster;
    return m_names.webFileName(m_photoNames[photo]);
}

std::string PhotoPageWriter::videoElement(const PublishedVideo& video)
{
    const std::string file = HtmlText::fileAttribute(video.file);
    return HtmlText::fill("<video src=\"%s\" controls preload=\"metadata\" playsinline poster=\"%s\" width=\"%s\" "
                          "height=\"%s\"><A HREF=\"%s\">%s</A></video>",
                          {file, HtmlText::fileAttribute(video.poster), std::to_string(video.size.width),
                           std::to_string(video.size.height), file, HtmlText::text(video.file)});
}

void PhotoPageWriter::writeNavigation(std::string& page, bool top, const std::string& pagePath,
                                      const std::string& indexPagePath, int n) const
{
    const AlbumSettings& s = m_job.settings;
    const int place = top ? 0 : 1;
    const auto count = static_cast<int>(m_job.photos.size());
    if (s.ListboxAlignment == place || s.ListboxAlignment == 2)
        m_navigation.writeListBox(page, pagePath);
    if (s.NavigationButtonsAlignment == place || s.NavigationButtonsAlignment == 2) {
        const std::string next = n < count ? pageName(static_cast<std::size_t>(n)) : std::string();
        const std::string previous = n > 1 ? pageName(static_cast<std::size_t>(n - 2)) : std::string();
        m_navigation.writeNavigationButtons(page, indexPagePath, next, previous);
    }
}

void PhotoPageWriter::writeDescription(std::string& page, const char* fontLine, int n) const
{
    const AlbumSettings& s = m_job.settings;
    page += HtmlText::fill(fontLine, {HtmlText::hexColour(s.WebPhotoDescColor)});
    if (s.DisplayWebDesc) {
        // Description lines are the user's own HTML and go in as they stand.
        for (const std::string& line : m_job.photos[static_cast<std::size_t>(n - 1)].Description) {
            if (!line.empty())
                page += line + "\r\n";
        }
    }
    page += "</FONT>\r\n";
}

bool PhotoPageWriter::createPhotoPage(const std::string& pagePath, const std::string& indexPagePath, int n) const
{
    const AlbumSettings& s = m_job.settings;
    const auto count = static_cast<int>(m_job.photos.size());
    const auto index = static_cast<std::size_t>(n - 1);
    const FileStorage& photo = m_job.photos[index];
    const std::string failure = "Error creating file on " + pagePath + " - write protected?";
    const auto video = m_job.videos.find(index);
    const bool isVideo = video != m_job.videos.end();
    // The fade works on a picture, which a video's page has none of.
    const bool fadeIn = s.FadeIn && !isVideo;

    PageFile file(pagePath);
    if (!file.isOpen()) {
        m_events.logMessage(file.withFailure(failure));
        return false;
    }

    std::string page = PagePreamble::docType();
    page += "\r\n<HTML>\r\n<HEAD>\r\n" + PagePreamble::charsetMeta() +
            "<meta http-equiv=\"Content-Style-Type\" content=\"text/css\">\r\n";
    page += PagePreamble::generatedByComment() + PagePreamble::metaLines(s);
    if (s.StyleSheetType == 0)
        StyleWriter::writeStyleBlock(page, s);

    std::size_t preload = 0;
    if (n < count)
        preload = index + 1;
    else if (count >= 2)
        preload = index - 1;
    page += "\r\n<SCRIPT type='text/javascript' LANGUAGE=\"JavaScript\">\r\n<!-- \r\nvar count = 0;\r\n"
            "function preLoad() {   \r\n  NextImage = new Image();   \r\n";
    page += HtmlText::fill("  NextImage.src = \"%s\"; \r\n",
                           {HtmlText::scriptString(HtmlText::fileReference(imageName(preload)))});
    page += "}   \r\n";
    if (fadeIn)
        page += fadeInFunction;
    page += "-->   \r\n</SCRIPT>   \r\n";

    if (s.StyleSheetType == 1 || s.StyleSheetType == 2)
        StyleWriter::writeStylePart(page, s, m_names);
    page += PagePreamble::metaLines(s);
    // The photo shrinks to the width of the window it is read in, phones' included, never grows.
    page += "<META NAME=\"viewport\" CONTENT=\"width=device-width, initial-scale=1\">\r\n"
            "<STYLE TYPE=\"text/css\">IMG[NAME=FullSizeImage] { max-width: 100%; height: auto; }</STYLE>\r\n";
    if (isVideo)
        page += "<STYLE TYPE=\"text/css\">VIDEO { max-width: 100%; height: auto; }</STYLE>\r\n";
    if (s.DisplaySlideShow && count > 1) {
        const std::string next = n < count ? pageName(index + 1) : pageName(0);
        page += HtmlText::fill("<META HTTP-EQUIV=REFRESH CONTENT=\"%s;URL=%s\">\r\n",
                               {attr(s.RefreshRate), HtmlText::fileAttribute(next)});
    }
    page += HtmlText::fill("\r\n<TITLE>%s</TITLE>\r\n", {HtmlText::text(m_job.albumTitle)});
    page += "\r\n</HEAD>\r\n";

    // Without a texture the page has no BACKGROUND, which would name the page itself.
    const std::string texture =
        !s.SoftEdge && !m_job.photoPageTexture.empty()
            ? "BACKGROUND=\"" +
                  HtmlText::fileAttribute(m_names.webFileName(OutputNames::fileNamePart(m_job.photoPageTexture))) +
                  "\" "
            : std::string();
    const char* const protection =
        s.ProtectImages
            ? " oncontextmenu=\"return false\" ondragstart=\"return false\"  onselectstart=\"return false\" "
            : " ";
    page +=
        HtmlText::fill("\r\n<BODY ONLOAD=\"%s\" LEFTMARGIN=3 TOPMARGIN=3 MARGINWIDTH=3 MARGINHEIGHT=3  "
                       "%sBGCOLOR=\"#%02x%02x%02x\" TEXT=\"#%02x%02x%02x\" %s> \r\n\r\n",
                       {fadeIn ? "FadeIn();preLoad()" : "preLoad()", texture, HtmlText::hexColour(s.WebPhotoBgColor),
                        HtmlText::hexColour(s.WebPhotoDescColor), protection});

    if (s.DisplayWebTitle) {
        if (!photo.WebTitle.empty())
            page += HtmlText::fill(
                "<CENTER><FONT CLASS='PhotoTitle'  COLOR=\"#%02x%02x%02x\" SIZE=+2>%s</FONT>\r\n<BR>\r\n",
                {HtmlText::hexColour(s.WebPhotoTextColor), HtmlText::text(photo.WebTitle)});
        else
            page += "<BR>";
    }

    const std::string fade = fadeIn ? "STYLE='visibility:hidden'" : " ";
    const std::string image = HtmlText::fileAttribute(OutputNames::jpegFileName(imageName(index)));
    // Any place but the top (0) is the bottom layout, the default, so that a hand-made value
    // of -1 still shows the photo.
    if (s.WebTitleAlignment == 0) {
        writeDescription(page, "<FONT CLASS='PhotoLongDescription'  COLOR=\"#%02x%02x%02x\" SIZE =+1>\r\n", n);
        writeNavigation(page, true, pagePath, indexPagePath, n);
        if (isVideo)
            page += "<CENTER><BR>\r\n" + videoElement(video->second) + "<BR>\r\n";
        else
            page += HtmlText::fill("<CENTER><BR>\r\n<IMG SRC=\"%s\" NAME='FullSizeImage' %s ALIGN=MIDDLE><BR>\r\n",
                                   {image, fade});
        writeNavigation(page, false, pagePath, indexPagePath, n);
    } else {
        writeNavigation(page, true, pagePath, indexPagePath, n);
        if (isVideo)
            page += "<CENTER>\r\n" + videoElement(video->second) + "<BR>\r\n";
        else if (s.SoftEdge || !s.PhotoBorder)
            page += HtmlText::fill("<CENTER>\r\n<IMG SRC=\"%s\"  %s NAME='FullSizeImage' %s ALIGN=MIDDLE><BR>\r\n",
                                   {image, fade, ""});
        else
            page +=
                HtmlText::fill("<CENTER>\r\n<TABLE BGCOLOR='#%02x%02x%02x' BORDER='%s'\r\n BORDERCOLOR='#%02x%02x%02x' "
                               "CELLSPACING=0 CELLPADDING=0>\r\n<TR><TD>\r\n<IMG SRC=\"%s\" %s %s NAME='FullSizeImage' "
                               "ALIGN=MIDDLE>\r\n</TD></TR></TABLE><BR>\r\n",
                               {HtmlText::hexColour(s.WebPhotoBgColor), attr(s.PhotoBorderWidth),
                                HtmlText::hexColour(s.WebPhotoBorderColor), image, fade, ""});
        writeDescription(page, "<FONT CLASS='PhotoLongDescription' COLOR=\"#%02x%02x%02x\" SIZE =+1>\r\n", n);
        writeNavigation(page, false, pagePath, indexPagePath, n);
    }

    if (!photo.AudioFile.empty())
        page += HtmlText::fill(
            "<A HREF=\"%s\"><IMG SRC=\"%s\"></A>\r\n",
            {HtmlText::fileAttribute(m_names.webFileName(OutputNames::fileNamePart(photo.AudioFile))), "speaker.gif"});
    page += "</BODY>\r\n</HTML>\r\n";

    if (!file.finish(page)) {
        m_events.logMessage(file.withFailure(failure));
        return false;
    }
    return true;
}

} // namespace pictaven
