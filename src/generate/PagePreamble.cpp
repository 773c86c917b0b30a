#include "generate/PagePreamble.h"

#include "generate/HtmlText.h"
#include "settings/AlbumSettings.h"

namespace pictaven {

const char* const PagePreamble::productWebAddress = "https://pictaven.example.org/";

std::string PagePreamble::generatedByComment()
{
    return std::string("<!-- Generated with Pictaven - ") + productWebAddress + " !-->\r\n\r\n";
}

std::string PagePreamble::metaLines(const AlbumSettings& settings)
{
    if (!settings.GenerateMetaData)
        return {};
    return HtmlText::fill("<META name=\"description\" content=\"%s\">\r\n", {HtmlText::attribute(settings.MetaDesc)}) +
           HtmlText::fill("<META name=\"keywords\" content=\"%s\">\r\n\r\n",
                          {HtmlText::attribute(settings.MetaKeywords)});
}

std::string PagePreamble::docType()
{
    return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">";
}

std::string PagePreamble::charsetMeta()
{
    return "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n";
}

} // namespace pictaven
