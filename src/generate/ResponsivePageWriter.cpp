#include "generate/ResponsivePageWriter.h"

#include "generate/AlbumJob.h"
#include "generate/GeneratedFile.h"
#include "generate/GenerationEvents.h"
#include "generate/HtmlText.h"
#include "generate/PageFile.h"
#include "generate/PagePreamble.h"
#include "generate/ResponsiveAlbum.h"
#include "generate/ResponsiveStyleSheet.h"

#include <exception>
#include <fstream>
#include <iterator>
#include <numeric>
#include <sstream>
#include <stdexcept>

namespace pictaven {

namespace {

// The thumbnails of about one screen load at once; the rest as the visitor scrolls to them.
constexpr std::size_t eagerThumbnails = 12;

std::string attr(const std::string& text)
{
    return HtmlText::attribute(text);
}

std::string fileAttr(const std::string& name)
{
    return HtmlText::fileAttribute(name);
}

std::string text(const std::string& value)
{
    return HtmlText::text(value);
}

std::string number(long long value)
{
    return std::to_string(value);
}

std::string srcset(const std::vector<ResponsivePicture>& sizes)
{
    std::string list;
    for (const ResponsivePicture& size : sizes) {
        if (!list.empty())
            list += ", ";
        list += HtmlText::fileReference(size.file) + " " + number(size.width) + "w";
    }
    return list;
}

// The photo is as wide as the window until the window is wider than the photo's shape at
// `height` of the window's height.
std::string sizesFor(const ResponsivePicture& picture, int height)
{
    const long long divisor = std::gcd(picture.width, picture.height);
    const std::string width = number(picture.width / divisor);
    const std::string tall = number(picture.height / divisor);
    return "(min-aspect-ratio: " + width + "/" + tall + ") calc(" + number(height) + "vh * " + width + " / " + tall +
           "), 100vw";
}

std::string readWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("The responsive template's file " + path + " is missing or cannot be read");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string descriptionBlock(const std::vector<std::string>& lines, const char* elementClass)
{
    std::string block;
    for (const std::string& line : lines) {
        // Description lines are the user's own HTML and go in as they stand.
        if (!line.empty())
            block += line + "\n";
    }
    if (block.empty())
        return {};
    return "<div class=\"" + std::string(elementClass) + "\">\n" + block + "</div>\n";
}

// A style sheet address may be named in the policy when it cannot end the source list.
bool fitsPolicy(const std::string& address)
{
    return !address.empty() && address.find_first_of(" \t\r\n;,'\"") == std::string::npos;
}

} // namespace

ResponsivePageWriter::ResponsivePageWriter(const AlbumJob& job, const std::vector<std::string>& photoNames,
                                           const GenerationEvents& events, std::atomic<bool>& cancel)
    : m_job(job)
    , m_photoNames(photoNames)
    , m_events(events)
    , m_cancel(cancel)
    , m_names(job.settings)
{
}

void ResponsivePageWriter::report(const std::string& message) const
{
    m_events.logMessage(message);
}

std::string ResponsivePageWriter::head(const std::string& title, const std::vector<std::string>& links) const
{
    const AlbumSettings& s = m_job.settings;
    std::string styleSources = "'self'";
    std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n" + PagePreamble::charsetMeta();
    page += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
    std::string sheets = "<link rel=\"stylesheet\" href=\"" + fileAttr(ResponsiveAlbum::styleSheetFileName) + "\">\n";
    // The person's own style sheet comes last, so that its rules win.
    if (s.StyleSheetType == 1 && !s.StyleSheet.empty()) {
        sheets += "<link rel=\"stylesheet\" href=\"" +
                  fileAttr(m_names.webFileName(OutputNames::fileNamePart(s.StyleSheet))) + "\">\n";
    } else if (s.StyleSheetType == 2 && fitsPolicy(s.StyleSheetURL)) {
        sheets += "<link rel=\"stylesheet\" href=\"" + attr(s.StyleSheetURL) + "\">\n";
        styleSources += " " + attr(s.StyleSheetURL);
    }
    page += "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; img-src 'self'; "
            "media-src 'self'; style-src " +
            styleSources + "; script-src 'self'; base-uri 'none'; form-action 'none'\">\n";
    page += "<meta name=\"color-scheme\" content=\"light dark\">\n";
    page += "<meta name=\"generator\" content=\"Pictaven - " + attr(PagePreamble::productWebAddress) + "\">\n";
    if (s.GenerateMetaData) {
        page += "<meta name=\"description\" content=\"" + attr(s.MetaDesc) + "\">\n";
        page += "<meta name=\"keywords\" content=\"" + attr(s.MetaKeywords) + "\">\n";
    }
    page += "<title>" + text(title) + "</title>\n" + sheets;
    for (const std::string& link : links)
        page += link;
    page += "<script src=\"" + fileAttr(ResponsiveAlbum::scriptFileName) + "\" defer></script>\n</head>\n";
    return page;
}

std::string ResponsivePageWriter::indexPage(const std::vector<ResponsivePhoto>& photos) const
{
    const AlbumSettings& s = m_job.settings;
    const std::string title = m_job.albumTitle.empty() ? "Photos" : m_job.albumTitle;
    std::string page = head(title, {});
    page += "<body class=\"album-index\">\n<header class=\"album-header\">\n<h1>" + text(title) + "</h1>\n</header>\n";
    page += "<main class=\"album\">\n<ul class=\"grid\" aria-label=\"Photos\">\n";
    for (std::size_t i = 0; i < photos.size(); ++i) {
        const ResponsivePhoto& photo = photos[i];
        const ResponsivePicture& shown = photo.fallback();
        const ResponsivePicture& largest = photo.sizes.back();
        page += "<li class=\"" + ResponsiveStyleSheet::aspectClass(photo.thumbnail.width, photo.thumbnail.height) +
                "\"><a href=\"" + fileAttr(photo.page) + "\" data-id=\"" + attr(HtmlText::fileReference(photo.id)) +
                "\" data-src=\"" + fileAttr(shown.file) + "\" data-srcset=\"" + attr(srcset(photo.sizes)) +
                "\" data-width=\"" + number(largest.width) + "\" data-height=\"" + number(largest.height) + "\"";
        if (!photo.audio.empty())
            page += " data-audio=\"" + fileAttr(photo.audio) + "\"";
        // The viewer plays a video where it shows a photo; `data-src` is its poster.
        if (photo.video)
            page += " data-video=\"" + fileAttr(photo.video->file) + "\"";
        page += "><img src=\"" + fileAttr(photo.thumbnail.file) + "\"";
        if (photo.largeThumbnail)
            page += " srcset=\"" +
                    attr(HtmlText::fileReference(photo.thumbnail.file) + " 1x, " +
                         HtmlText::fileReference(photo.largeThumbnail->file) + " 2x") +
                    "\"";
        page += " width=\"" + number(photo.thumbnail.width) + "\" height=\"" + number(photo.thumbnail.height) +
                "\" alt=\"" + attr(photo.altText) + "\"" + (i < eagerThumbnails ? "" : " loading=\"lazy\"") +
                " decoding=\"async\"></a>\n";
        // What the viewer shows under the photo; inert until then.
        page += "<template>";
        if (s.DisplayWebTitle)
            page += "<h2 class=\"viewer-title\">" + text(photo.heading) + "</h2>\n";
        if (s.DisplayWebDesc)
            page += descriptionBlock(photo.description, "viewer-description");
        page += "</template></li>\n";
    }
    page += "</ul>\n</main>\n";
    std::string links;
    if (!s.HTMLLinkDesc.empty())
        links += "<a href=\"" + attr(s.HTMLLink) + "\"" + (s.NewWindow1 ? " target=\"_blank\"" : "") + ">" +
                 text(s.HTMLLinkDesc) + "</a>\n";
    if (!s.HTMLLinkDesc2.empty())
        links += "<a href=\"" + attr(s.HTMLLink2) + "\"" + (s.NewWindow2 ? " target=\"_blank\"" : "") + ">" +
                 text(s.HTMLLinkDesc2) + "</a>\n";
    if (!links.empty())
        page += "<footer class=\"album-footer\">\n" + links + "</footer>\n";
    page += "<dialog class=\"viewer\" aria-label=\"Photo viewer\">\n"
            "<div class=\"viewer-bar\">\n<p class=\"viewer-count\" aria-live=\"polite\"></p>\n"
            "<button type=\"button\" class=\"viewer-close\" aria-label=\"Close\" title=\"Close (Esc)\">"
            "<span aria-hidden=\"true\">\u2715</span></button>\n</div>\n"
            "<div class=\"viewer-stage\"><img class=\"viewer-photo\" alt=\"\"></div>\n"
            "<div class=\"viewer-caption\"></div>\n"
            "<audio class=\"viewer-audio\" controls hidden></audio>\n"
            "<button type=\"button\" class=\"viewer-prev\" aria-label=\"Previous photo\" title=\"Previous (\u2190)\">"
            "<span aria-hidden=\"true\">\u2039</span></button>\n"
            "<button type=\"button\" class=\"viewer-next\" aria-label=\"Next photo\" title=\"Next (\u2192)\">"
            "<span aria-hidden=\"true\">\u203a</span></button>\n"
            "</dialog>\n</body>\n</html>\n";
    return page;
}

std::string ResponsivePageWriter::photoPage(const std::vector<ResponsivePhoto>& photos, std::size_t index,
                                            const std::string& indexName) const
{
    const AlbumSettings& s = m_job.settings;
    const ResponsivePhoto& photo = photos[index];
    const std::string albumTitle = m_job.albumTitle.empty() ? "Photos" : m_job.albumTitle;
    std::vector<std::string> links;
    if (index > 0)
        links.push_back("<link rel=\"prev\" href=\"" + fileAttr(photos[index - 1].page) + "\">\n");
    if (index + 1 < photos.size())
        links.push_back("<link rel=\"next\" href=\"" + fileAttr(photos[index + 1].page) + "\">\n");
    std::string page = head(photo.heading + " \u2013 " + albumTitle, links);
    page += "<body class=\"photo-page\">\n<header class=\"photo-header\">\n<a class=\"back\" href=\"" +
            fileAttr(indexName) + "\"><span aria-hidden=\"true\">\u2190 </span>" + text(albumTitle) +
            "</a>\n</header>\n";
    const ResponsivePicture& shown = photo.fallback();
    const ResponsivePicture& largest = photo.sizes.back();
    page += "<main class=\"photo\">\n<figure>\n";
    if (photo.video)
        page += "<video src=\"" + fileAttr(photo.video->file) +
                "\" controls preload=\"metadata\" playsinline poster=\"" + fileAttr(photo.video->poster) +
                "\" width=\"" + number(photo.video->size.width) + "\" height=\"" + number(photo.video->size.height) +
                "\" aria-label=\"" + attr(photo.altText) + "\"></video>\n";
    else
        page += "<img src=\"" + fileAttr(shown.file) + "\" srcset=\"" + attr(srcset(photo.sizes)) + "\" sizes=\"" +
                attr(sizesFor(largest, 80)) + "\" width=\"" + number(largest.width) + "\" height=\"" +
                number(largest.height) + "\" alt=\"" + attr(photo.altText) + "\" decoding=\"async\">\n";
    page += "<figcaption>\n<h1>" + text(photo.heading) + "</h1>\n";
    if (s.DisplayWebDesc)
        page += descriptionBlock(photo.description, "description");
    page += "</figcaption>\n</figure>\n";
    if (!photo.audio.empty())
        page += "<audio controls src=\"" + fileAttr(photo.audio) + "\"></audio>\n";
    page += "</main>\n<nav class=\"pager\" aria-label=\"Photos\">\n";
    if (index > 0)
        page += "<a rel=\"prev\" href=\"" + fileAttr(photos[index - 1].page) + "\">Previous</a>\n";
    page += "<p class=\"count\">" + std::string(photo.video ? "Video " : "Photo ") +
            number(static_cast<long long>(index) + 1) + " of " + number(static_cast<long long>(photos.size())) +
            "</p>\n";
    if (index + 1 < photos.size())
        page += "<a rel=\"next\" href=\"" + fileAttr(photos[index + 1].page) + "\">Next</a>\n";
    page += "</nav>\n</body>\n</html>\n";
    return page;
}

bool ResponsivePageWriter::writeSupportFiles(const std::vector<ResponsivePhoto>& photos)
{
    const std::string shipped = ResponsiveAlbum::shippedFolder(m_job.programFolder);
    const std::string& folder = m_job.outputFolder;
    try {
        GeneratedFile::writeBytes(folder + ResponsiveAlbum::styleSheetFileName,
                                  ResponsiveStyleSheet::text(m_job.settings, photos, readWhole(shipped + "album.css")));
        for (const auto& [from, to] : {std::pair{"viewer.js", ResponsiveAlbum::scriptFileName},
                                       std::pair{"LICENCE.txt", ResponsiveAlbum::licenceFileName}}) {
            GeneratedFile::writeBytes(folder + to, readWhole(shipped + from));
        }
    } catch (const std::exception& error) {
        report(error.what());
        return false;
    }
    return true;
}

bool ResponsivePageWriter::writePage(const std::string& path, const std::string& page)
{
    PageFile file(path);
    if (file.finish(page))
        return true;
    report("Error creating file - " + path);
    return false;
}

bool ResponsivePageWriter::write(std::size_t count, const std::string& indexPage)
{
    m_cancelled = false;
    std::vector<ResponsivePhoto> photos;
    for (std::size_t i = 0; i < count && i < m_job.photos.size(); ++i) {
        const auto video = m_job.videos.find(i);
        if (std::optional<ResponsivePhoto> photo =
                ResponsivePhoto::read(m_job, m_names, m_job.photos[i], m_photoNames[i],
                                      video == m_job.videos.end() ? nullptr : &video->second))
            photos.push_back(std::move(*photo));
    }
    if (!writeSupportFiles(photos))
        return false;
    const std::string indexName = OutputNames::fileNamePart(indexPage);
    const auto total = static_cast<long long>(photos.size());
    // Photo pages first: the index page links to them all.
    for (std::size_t i = 0; i < photos.size(); ++i) {
        if (m_cancel.exchange(false)) {
            m_cancelled = true;
            return false;
        }
        m_events.progressPosition(static_cast<int>(i));
        m_events.percentage(number(static_cast<long long>(i) * 100 / total) + " %");
        if (!writePage(m_job.outputFolder + photos[i].page, photoPage(photos, i, indexName)))
            return false;
    }
    return writePage(indexPage, this->indexPage(photos));
}

} // namespace pictaven
