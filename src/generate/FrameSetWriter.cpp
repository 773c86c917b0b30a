#include "generate/FrameSetWriter.h"

#include "generate/AlbumJob.h"
#include "generate/GenerationEvents.h"
#include "generate/HtmlText.h"
#include "generate/OutputNames.h"
#include "generate/PageFile.h"
#include "generate/PagePreamble.h"

namespace pictaven {

FrameSetWriter::FrameSetWriter(const AlbumJob& job, const GenerationEvents& events)
    : m_job(job), m_events(events)
{
}

std::string FrameSetWriter::pagePath() const
{
    return m_job.outputFolder + OutputNames::framePageFileName(m_job.settings.AlbumShortName);
}

int FrameSetWriter::frameSize(int frameWidth, int frameHeight) const
{
    const AlbumSettings& s = m_job.settings;
    const bool shadowedBasic = m_job.basicAlbum() && s.Shadow;
    if (s.FrameAlignment == 1) {
        int extra = 50;
        if (!s.DisplayNavigationIndex)
            extra -= 50;
        if (m_job.albumTitle.empty())
            extra -= 40;
        // A basic album's thumbnails each grow by the 16-pixel margin of their shadow.
        return s.SpacingRows * 2 + frameHeight + extra + (shadowedBasic ? s.RowsPerPage * 16 - 16 : 0);
    }
    return s.SpacingCols * 2 + frameWidth + (shadowedBasic ? s.ThumbnailsPerRow * 16 - 16 : 0);
}

bool FrameSetWriter::createMultiPage(int frameWidth, int frameHeight, const std::string& firstPhotoPage) const
{
    const AlbumSettings& s = m_job.settings;
    const std::string path = pagePath();
    const std::string failure = "Error creating file on " + path + " - write protected?";
    PageFile file(path);
    if (!file.isOpen()) {
        m_events.logMessage(file.withFailure(failure));
        return false;
    }

    std::string page = PagePreamble::generatedByComment() + PagePreamble::metaLines(s);
    // The page has no HEAD tag; its title opens the head, so the character set comes first.
    page += PagePreamble::docType() + "\r\n<HTML>\r\n" + PagePreamble::charsetMeta();
    page += HtmlText::fill("<TITLE>%s</TITLE>\r\n\r\n", {HtmlText::text(m_job.albumTitle)});
    const std::string size = std::to_string(frameSize(frameWidth, frameHeight));
    // Any alignment but "Horizontal Frames" (1) puts the album frame on the left, the default.
    if (s.FrameAlignment == 1)
        page += HtmlText::fill("<FRAMESET ROWS=\"%d,*\"  FRAMESPACING=0>\r\n", {size});
    else
        page += HtmlText::fill("<FRAMESET COLS=\"%d,*\"  FRAMESPACING=0>\r\n", {size});
    page += HtmlText::fill("<FRAME FRAMEBORDER=NO BORDER=0 ALIGN=\"CENTER\" NAME=\"AlbumFrame\" \r\n SRC=\"%s\" "
                           "SCROLLING=\"AUTO\" MARGINHEIGHT=0\r\n MARGINWIDTH=0 NORESIZE>\r\n",
                           {HtmlText::fileAttribute(OutputNames::indexPageFileName(s.AlbumShortName, 1))});
    page += HtmlText::fill("<FRAME FRAMEBORDER=NO BORDER=0 ALIGN=\"CENTER\" NAME=\"ImageFrame\" \r\n src=\"%s\" "
                           "SCROLLING=\"AUTO\" MARGINHEIGHT=0 MARGINWIDTH=0 NORESIZE>\r\n",
                           {HtmlText::fileAttribute(firstPhotoPage)});
    page += "</FRAMESET>\r\n</HTML>\r\n";

    if (!file.finish(page)) {
        m_events.logMessage(file.withFailure(failure));
        return false;
    }
    return true;
}

} // namespace pictaven
