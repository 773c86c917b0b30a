#include "generate/IndexPageWriter.h"

#include "generate/AlbumJob.h"
#include "generate/AlbumPicture.h"
#include "generate/GenerationEvents.h"
#include "generate/HtmlText.h"
#include "generate/PageFile.h"
#include "generate/PagePreamble.h"
#include "generate/StyleWriter.h"
#include "generate/ThumbnailCell.h"

#include <chrono>
#include <memory>
#include <random>
#include <stdexcept>
#include <vector>

namespace pictaven {

namespace {

std::string attr(const std::string& text)
{
    return HtmlText::attribute(text);
}

// The label of a basic album's table: the caption, else the photo's file name; "_" and "-"
// become blanks, and each word keeps at most 15 characters counted from its separator.
std::string tableLabel(const FileStorage& photo)
{
    const std::string source =
        photo.Caption.empty() ? OutputNames::fileNamePart(photo.WorkingPath) : photo.Caption;
    std::string label;
    int counter = 0;
    for (const char c : source) {
        if (c == ' ' || c == '_' || c == '-')
            counter = 0;
        if (counter < 15)
            label += c == '_' || c == '-' ? ' ' : c;
        ++counter;
    }
    return label;
}

// The tool tip of a photo's cell.
const std::string& titleText(const FileStorage& photo)
{
    return photo.WebTitle.empty() ? photo.Caption : photo.WebTitle;
}

} // namespace

struct IndexPageWriter::PageState {
    const IndexPageArguments& arguments;
    std::string page;
    std::unique_ptr<AlbumPicture> picture; // picture albums only
    int nextPhoto = 0;
};

IndexPageWriter::IndexPageWriter(const AlbumJob& job, const PageGrid& grid, const Bitmap* background,
                                 const GenerationEvents& events, std::atomic<bool>& cancel)
    : m_job(job),
      m_grid(grid),
      m_background(background),
      m_events(events),
      m_cancel(cancel),
      m_names(job.settings),
      m_photoNames(m_names.distinctPhotoNames(job.photos)),
      m_navigation(job),
      m_photoPages(job, events),
      m_frameSet(job, events),
      m_thumbnails(job, events)
{
    if (!job.basicAlbum() && !background)
        throw std::invalid_argument("A picture album's index pages need the template's background picture");
}

std::string IndexPageWriter::mapName()
{
    int number = 0;
    if (m_mapNumber) {
        number = m_mapNumber();
    } else {
        std::mt19937 generator(static_cast<std::mt19937::result_type>(
            std::chrono::system_clock::now().time_since_epoch().count()));
        number = std::uniform_int_distribution<int>(0, 99)(generator);
    }
    return "AUTOGENMAP" + std::to_string(number);
}

void IndexPageWriter::writeHead(std::string& page) const
{
    page += PagePreamble::generatedByComment() + PagePreamble::metaLines(m_job.settings);
    page += PagePreamble::docType();
    // The title opens the head, so the character set is declared before it.
    page += "\r\n<HTML>\r\n" + PagePreamble::charsetMeta();
    page += HtmlText::fill("<TITLE> %s  </TITLE>\r\n\r\n", {HtmlText::text(m_job.albumTitle)});
    page += "<HEAD>\r\n\r\n<meta http-equiv=\"Content-Style-Type\" content=\"text/css\">\r\n";
    StyleWriter::writeStylePart(page, m_job.settings, m_names);
    page += "</HEAD>\r\n\r\n";
}

void IndexPageWriter::writeBodyStart(std::string& page, const IndexPageArguments& arguments,
                                     const std::string& mapName) const
{
    const AlbumSettings& s = m_job.settings;
    const std::string texture =
        m_job.indexPageTexture.empty()
            ? std::string(" ")
            : "BACKGROUND='" + HtmlText::fileAttribute(m_names.webFileName(OutputNames::fileNamePart(m_job.indexPageTexture))) + "'";
    page += HtmlText::fill("<BODY LEFTMARGIN=3 TOPMARGIN=3 MARGINWIDTH=3 MARGINHEIGHT=3 %s BGCOLOR=\"#%02x%02x%02x\" "
                           "TEXT=\"#%02x%02x%02x\" LINK=\"#%02x%02x%02x\" VLINK=\"#%02x%02x%02x\"> \r\n\r\n",
                           {texture, HtmlText::hexColour(s.WebBgColor), HtmlText::hexColour(s.AlbumTitleColor),
                            HtmlText::hexColour(s.LinkColor), HtmlText::hexColour(s.LinkColor)});

    const std::string title = HtmlText::text(m_job.albumTitle);
    // "Left" and "Right" share one markup; anything else, a hand-made -1 included, is centred.
    if (s.AlbumTitleAlignment == 1 || s.AlbumTitleAlignment == 2)
        page += HtmlText::fill("<FONT CLASS='AlbumTitle'> %s </FONT>\r\n<FONT SIZE=-2><BR></FONT>", {title});
    else
        page += HtmlText::fill("<CENTER><FONT CLASS='AlbumTitle'>%s</FONT></CENTER><FONT SIZE=-2><BR></FONT>", {title});

    if (s.DisplayNavigationIndex)
        m_navigation.writeIndexNavigation(page, OutputNames::fileNamePart(arguments.firstPage),
                                          OutputNames::fileNamePart(arguments.lastPage),
                                          OutputNames::fileNamePart(arguments.nextPage),
                                          OutputNames::fileNamePart(arguments.previousPage));

    if (!m_job.basicAlbum()) {
        const std::string picture = OutputNames::jpegFileName(OutputNames::fileNamePart(arguments.albumPicture));
        page += HtmlText::fill("%s\r\n <IMG SRC=\"%s\" BORDER=\"0\" USEMAP=\"#%s\">%s</A>\r\n\r\n",
                               {s.CenterAlbum ? "<CENTER>" : " ", HtmlText::fileAttribute(picture), mapName,
                                s.CenterAlbum ? "</CENTER>" : " "});
        page += HtmlText::fill("<MAP NAME=\"%s\">\r\n", {mapName});
    }

    if (!s.MultiWindow && s.PageNumbers)
        page += HtmlText::fill("<p class='PageNumber'><b> Page %d of %d </b></FONT></p>",
                               {std::to_string(arguments.pageNumber), std::to_string(arguments.totalPages)});

    if (m_job.basicAlbum()) {
        const std::string width = std::to_string(m_grid.maxX);
        const std::string spacing = std::to_string(s.SpacingCols);
        if (s.Backdrop)
            page += HtmlText::fill(
                "\r\n <CENTER><TABLE WIDTH='%d' BGCOLOR='%02x%02x%02x' CELLPADDING=0 CELLSPACING=%s> \r\n",
                {width, HtmlText::hexColour(s.ThumbBgColor), spacing});
        else
            page += HtmlText::fill("\r\n <CENTER><TABLE WIDTH='%d' CELLPADDING=0 CELLSPACING=%s> \r\n",
                                   {width, spacing});
    }
}

bool IndexPageWriter::writeRow(PageState& state, int row)
{
    const AlbumSettings& s = m_job.settings;
    const bool basic = m_job.basicAlbum();
    const auto count = static_cast<int>(m_job.photos.size());
    const int y = m_grid.rowY(row);
    std::string& page = state.page;
    std::vector<const FileStorage*> placed;

    if (basic)
        page += "<TR>\r\n";
    for (int column = 0; column < m_grid.columns;) {
        if (m_cancel.exchange(false)) {
            m_cancelled = true;
            return false;
        }
        if (count > 0) {
            m_events.progressPosition(state.nextPhoto);
            m_events.percentage(std::to_string(state.nextPhoto * 100 / count) + " %");
        }
        if (state.nextPhoto >= count)
            break;
        const auto index = static_cast<std::size_t>(state.nextPhoto);
        const FileStorage& photo = m_job.photos[index];
        const int number = ++state.nextPhoto; // 1-based from here on

        const bool kept = basic && m_keptThumbnail && m_keptThumbnail(index);
        std::optional<ThumbnailSource> source;
        if (!kept) {
            bool rerenderPhotos = false; // a failed page makes the driver render again anyway
            if (m_thumbnailSources)
                source = m_thumbnailSources(index);
            if (!source)
                source = m_thumbnails.loadThumbnailSource(photo, rerenderPhotos);
            if (!source)
                return false;
        }

        const std::string& photoName = m_photoNames[index];
        const std::string pageName = m_names.photoPageFileName(photoName);
        // A photo page that cannot be written has been reported; the index page goes on.
        m_photoPages.createPhotoPage(m_job.outputFolder + pageName, state.arguments.thisPage, number);
        if (number == 1) {
            const bool fullPicture = !basic && s.MultiWindow;
            const int frameWidth = fullPicture ? m_background->width() : m_grid.maxX;
            const int frameHeight = fullPicture ? m_background->height() : m_grid.maxY;
            if (!m_frameSet.createMultiPage(frameWidth, frameHeight, pageName))
                return false;
        }
        const int x = m_grid.columnX(column);
        Rect cellRect;
        if (!kept) {
            // A picture without pixels gets no cell; the next photo takes its place.
            if (source->width == 0 || source->height == 0)
                continue;
            if (state.picture && s.Label)
                state.picture->drawLabel(photo, x, y);
            const ThumbnailCell cell =
                ThumbnailCell::place(s, x, y, source->width, source->height, photo.Rotation);
            // The photo phase may have made it already.
            Bitmap thumbnail = source->thumbnail ? std::move(*source->thumbnail)
                                                 : m_thumbnails.makeThumbnailBitmap(
                                                       source->preShrunk, cell.thumbnail, cell.fittedWidth,
                                                       cell.fittedHeight, photo.Rotation, photo.Mirrored);
            if (state.picture) {
                m_thumbnails.drawThumbnail(&state.picture->bitmap(), cell.thumbnail.left, cell.thumbnail.top,
                                           thumbnail, photoName, cell.cell);
                state.picture->drawThumbnail(thumbnail, cell, x, y);
            } else {
                m_thumbnails.drawThumbnail(nullptr, 0, 0, thumbnail, photoName, cell.cell);
                if (m_thumbnailWritten)
                    m_thumbnailWritten(index);
            }
            cellRect = cell.cell;
        }

        const std::string target = m_navigation.photoTarget();
        if (basic) {
            const std::string width = std::to_string(s.ThumbWidth + s.SpacingCols);
            page += HtmlText::fill("  <TD WIDTH=%d ALIGN='CENTER' ><A HREF=\"%s\" target=\"%s\">\r\n  <IMG SRC=\"%s\" "
                                   "BORDER='0' ALIGN='TOP' ALT='%s'> </A> \r\n  </TD>\r\n",
                                   {width, HtmlText::fileAttribute(pageName), target,
                                    HtmlText::fileAttribute(m_names.thumbnailFileName(photoName)),
                                    attr(titleText(photo))});
            if (number == count) {
                for (int filler = column + 1; filler < s.ThumbnailsPerRow; ++filler)
                    page += HtmlText::fill("  <TD WIDTH=%d ALIGN='CENTER' > &nbsp </TD>\r\n", {width});
            }
        } else {
            const Rect& r = cellRect;
            page += HtmlText::fill("<AREA SHAPE=\"RECT\" COORDS=\"%d,%d,%d,%d\"\r\n HREF=\"%s\" TITLE=\"%s\" "
                                   "target='%s'>\r\n\r\n",
                                   {std::to_string(r.left - 1), std::to_string(r.top - 1), std::to_string(r.right + 1),
                                    std::to_string(r.bottom + 1), HtmlText::fileAttribute(pageName),
                                    attr(titleText(photo)), target});
        }
        placed.push_back(&photo);
        ++column;
    }
    if (basic && s.Label) {
        // The labels of the photos this row shows, each under its own cell.
        page += "</TR>\r\n<TR>\r\n";
        for (const FileStorage* photo : placed)
            page += HtmlText::fill("<TD CLASS='ThumbnailLabels' ALIGN='CENTER'> %s\r\n  </TD>\r\n",
                                   {HtmlText::text(tableLabel(*photo))});
    }
    if (basic)
        page += "</TR>\r\n";
    return true;
}

void IndexPageWriter::writeLinksAndEnd(std::string& page) const
{
    const AlbumSettings& s = m_job.settings;
    page += m_job.basicAlbum() ? "</TABLE>\r\n" : "</MAP>\r\n";
    page += "<CENTER>";
    if (!s.HTMLLinkDesc.empty())
        page += HtmlText::fill("<FONT CLASS='CustomLink' SIZE=+1><BR><A HREF=\"%s\" %s> %s </A>\r\n",
                               {attr(s.HTMLLink), s.NewWindow1 ? "target=new" : " ", HtmlText::text(s.HTMLLinkDesc)});
    if (!s.HTMLLinkDesc2.empty())
        page += HtmlText::fill("&nbsp &nbsp <FONT CLASS='CustomLink' SIZE=+1><A HREF=\"%s\" %s> %s </A><BR>\r\n",
                               {attr(s.HTMLLink2), s.NewWindow2 ? "target=new" : " ", HtmlText::text(s.HTMLLinkDesc2)});
    else
        page += "<BR>";
    page += "</BODY>\r\n</HTML>\r\n";
}

bool IndexPageWriter::createAlbumPage(const IndexPageArguments& arguments)
{
    const std::string failure = "Error creating file - " + arguments.thisPage;
    auto report = [&](const std::string& message) {
        m_events.logMessage(message);
    };
    m_cancelled = false;
    PageFile file(arguments.thisPage);
    if (!file.isOpen()) {
        report(file.withFailure(failure));
        return false;
    }

    PageState state{arguments, {}, {}, arguments.firstPhoto};
    if (!m_job.basicAlbum())
        state.picture = std::make_unique<AlbumPicture>(*m_background, m_job.settings, m_grid);
    writeHead(state.page);
    writeBodyStart(state.page, arguments, state.picture ? mapName() : std::string());
    try {
        for (int row = 0; row < m_grid.rows; ++row) {
            if (!writeRow(state, row)) {
                // A page ended early keeps what was written of it.
                file.finish(state.page);
                return false;
            }
        }
    } catch (...) {
        file.finish(state.page);
        throw;
    }
    writeLinksAndEnd(state.page);
    if (!file.finish(state.page)) {
        report(file.withFailure(failure));
        return false;
    }
    if (state.picture)
        state.picture->save(arguments.albumPicture, m_job.compression1);
    return true;
}

} // namespace pictaven
