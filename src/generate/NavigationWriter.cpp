#include "generate/NavigationWriter.h"

#include "generate/AlbumJob.h"
#include "generate/HtmlText.h"
#include "ini/TrimmedText.h"

#include <algorithm>

namespace pictaven {

namespace {

std::string attr(const std::string& text)
{
    return HtmlText::attribute(text);
}

// A text that becomes a string literal of an event attribute's script.
std::string scriptAttr(const std::string& text)
{
    return HtmlText::attribute(HtmlText::scriptString(text));
}

} // namespace

NavigationWriter::NavigationWriter(const AlbumJob& job)
    : m_job(job), m_names(job.settings), m_photoNames(m_names.distinctPhotoNames(job.photos))
{
}

std::string NavigationWriter::photoTarget() const
{
    return m_job.settings.MultiWindow ? "ImageFrame" : "_self";
}

std::string NavigationWriter::buttonImage(const std::string& path) const
{
    return HtmlText::fileAttribute(m_names.webFileName(OutputNames::fileNamePart(path)));
}

void NavigationWriter::writeIndexNavigation(std::string& page, const std::string& first, const std::string& last,
                                            const std::string& next, const std::string& previous) const
{
    const AlbumSettings& s = m_job.settings;
    if (first == last)
        return;
    const std::string image = s.MultiWindow && s.ThumbnailsPerRow == 1 ? " HEIGHT = 24 " : " ";
    page += "<CENTER>\r\n";
    if (s.HomeButtonEnable)
        page += HtmlText::fill(
            " <A HREF=\"%s\" target=%s style=\"text-decoration:none\"> <IMG SRC=\"%s\" %s BORDER=0> </A>  \r\n",
            {attr(s.HomeURL), attr(s.HomeButtonFrame), "home.gif", image});
    page += HtmlText::fill(
        " <A HREF=\"%s\" target=%s style=\"text-decoration:none\"><IMG SRC=\"%s\" %s BORDER=0> </A>  \r\n",
        {HtmlText::fileAttribute(first), "_self", "first.gif", image});
    if (!trimmed(previous, " \t\r\n").empty())
        page += HtmlText::fill(
            " <A HREF=\"%s\" target=%s style=\"text-decoration:none\"> <IMG SRC=\"%s\" %s BORDER=0> </A>  \r\n",
            {HtmlText::fileAttribute(previous), "_self", "prev.gif", image});
    if (!trimmed(next, " \t\r\n").empty())
        page += HtmlText::fill(
            " <A HREF=\"%s\" target=%s style=\"text-decoration:none\"><IMG SRC=\"%s\" %s BORDER=0> </A>  \r\n",
            {HtmlText::fileAttribute(next), "_self", "next.gif", image});
    page += HtmlText::fill(
        " <A HREF=\"%s\" target=%s style=\"text-decoration:none\"><IMG SRC=\"%s\" %s BORDER=0> </A>  \r\n",
        {HtmlText::fileAttribute(last), "_self", "last.gif", image});
    page += "</CENTER>\r\n";
}

void NavigationWriter::writeNavigationButtons(std::string& page, const std::string& indexPagePath,
                                              const std::string& next, const std::string& previous) const
{
    const AlbumSettings& s = m_job.settings;
    if (!s.DisplayListbox && !s.DisplayNavigationButtons)
        return;
    page += "<CENTER>\r\n\r\n\r\n<FORM NAME=\"NavigationButtonsForm\">\r\n";
    if (s.DisplayNavigationButtons) {
        const bool pictures = s.ButtonType > 0;
        const std::string target = photoTarget();
        if (s.HomeButtonEnable) {
            if (pictures)
                page += HtmlText::fill(
                    "\r\n<A HREF=\"%s\" target=%s style=\"text-decoration:none\"> <IMG SRC=\"%s\" BORDER=0> </A>  \r\n",
                    {attr(s.HomeURL), attr(s.HomeButtonFrame), buttonImage(s.HomeButtonImage)});
            else
                page += HtmlText::fill("\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"%s\" CLASS='NavigationButton'  "
                                       "ONCLICK=\"window.open('%s', '%s')\">\r\n",
                                       {attr(s.PrefixHome), scriptAttr(s.HomeURL), scriptAttr(s.HomeButtonFrame)});
        }
        if (!s.MultiWindow) {
            const std::string index = m_names.webFileName(OutputNames::fileNamePart(indexPagePath));
            if (pictures)
                page += HtmlText::fill("\r\n<A HREF=\"%s\" target=\"_self\" style=\"text-decoration:none\"> "
                                       "<IMG SRC=\"%s\" BORDER=0> </A>  \r\n",
                                       {HtmlText::fileAttribute(index), buttonImage(s.IndexButtonImage)});
            else
                page += HtmlText::fill("\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"%s\" CLASS='NavigationButton'  "
                                       "ONCLICK=\"window.open('%s', '_self')\">  \r\n",
                                       {attr(s.PrefixIndex), scriptAttr(HtmlText::fileReference(index))});
        }
        if (!previous.empty()) {
            if (pictures)
                page += HtmlText::fill("\r\n<A HREF=\"%s\" target=%s style=\"text-decoration:none\">\r\n "
                                       "<IMG SRC=\"%s\"  BORDER=0> </A>  \r\n",
                                       {HtmlText::fileAttribute(previous), target, buttonImage(s.PrevButtonImage)});
            else
                page += HtmlText::fill("\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"%s\" CLASS='NavigationButton' \r\n "
                                       "ONCLICK=\"window.open('%s', '%s')\">\r\n",
                                       {attr(s.PrefixPrev), scriptAttr(HtmlText::fileReference(previous)), target});
        }
        if (!next.empty() && !s.SneakPeek) {
            if (pictures)
                page += HtmlText::fill("\r\n<A HREF=\"%s\" target=%s style=\"text-decoration:none\"> "
                                       "<IMG SRC=\"%s\"  BORDER=0> </A>  \r\n",
                                       {HtmlText::fileAttribute(next), target, buttonImage(s.NextButtonImage)});
            else
                page += HtmlText::fill("\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"%s\" CLASS='NavigationButton'  "
                                       "ONCLICK=\"window.open('%s', '%s')\">\r\n",
                                       {attr(s.PrefixNext), scriptAttr(HtmlText::fileReference(next)), target});
        }
    }
    page += "</SELECT>\r\n</FORM>\r\n\r\n\r\n";
}

void NavigationWriter::writeListBox(std::string& page, const std::string& thisPagePath) const
{
    const AlbumSettings& s = m_job.settings;
    if (!s.DisplayListbox)
        return;
    page += "<CENTER>\r\n\r\n<FORM NAME=\"ListBoxForm\">\r\n";
    page += HtmlText::fill("<SELECT CLASS='PulldownListbox' NAME=\"WebAlbListbox\" "
                           "onchange=\"window.open(this.options[this.selectedIndex].value,'%s')\" CLASS=\"v11\">\r\n",
                           {photoTarget()});
    const std::string thisPage = m_names.webFileName(OutputNames::fileNamePart(thisPagePath));
    // Every photo page lists every photo, so the entries are made once and only the selection
    // changes from page to page.
    if (m_listBoxEntries.empty()) {
        const std::size_t count = s.SneakPeek ? std::min<std::size_t>(1, m_job.photos.size()) : m_job.photos.size();
        for (std::size_t p = 0; p < count; ++p) {
            const FileStorage& photo = m_job.photos[p];
            const std::string& photoName = m_photoNames[p];
            std::string value = m_names.photoPageFileName(photoName);
            std::string text;
            if (!photo.WebTitle.empty())
                text = photo.WebTitle;
            else if (!photo.Caption.empty())
                text = photo.Caption;
            else if (!s.PrefixName.empty())
                text = s.PrefixName + " #" + std::to_string(p + 1);
            else
                text = m_names.webFileName(photoName);
            std::string rest = HtmlText::fill("=\"%s\">%s\r\n", {HtmlText::fileAttribute(value), HtmlText::text(text)});
            m_listBoxEntries.push_back({std::move(value), std::move(rest)});
        }
    }
    for (const ListBoxEntry& entry : m_listBoxEntries) {
        // The selected entry has a value of its own too; without one it would be its text.
        page += entry.value == thisPage ? "<OPTION SELECTED VALUE" : "<OPTION VALUE";
        page += entry.rest;
    }
    page += "</SELECT>\r\n</FORM>\r\n\r\n\r\n";
}

} // namespace pictaven
