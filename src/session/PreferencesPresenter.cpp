#include "session/PreferencesPresenter.h"

#include "app/Dialogs.h"
#include "ini/AsciiCase.h"
#include "ini/IntegerText.h"
#include "ini/TrimmedText.h"
#include "session/CatalogCommands.h"
#include "session/StepNavigator.h"
#include "session/TemplateCommands.h"
#include "session/Workspace.h"
#include "settings/AlbumSettingsField.h"
#include "settings/ConfigFile.h"
#include "settings/PreferenceRule.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <variant>

namespace pictaven
{

namespace
{

template <typename Value> Value& setting(AlbumSettings& settings, std::string_view field)
{
    const auto& member = AlbumSettingsField::byName(field).member;
    if (const auto* pointer = std::get_if<Value AlbumSettings::*>(&member))
        return settings.**pointer;
    throw std::logic_error("the setting " + std::string(field) + " is of another kind");
}

template <typename Value> const Value& setting(const AlbumSettings& settings, std::string_view field)
{
    return setting<Value>(const_cast<AlbumSettings&>(settings), field);
}

bool isInteger(const std::string& text)
{
    return parseInteger(text).has_value();
}

// Whether some family of a style-sheet list ("Verdana, Arial") is installed.
bool someFontInstalled(const std::string& families, const std::vector<std::string>& installed)
{
    std::size_t start = 0;
    while (start <= families.size()) {
        const std::size_t comma = std::min(families.find(',', start), families.size());
        const std::string name = asciiLower(trimmed(families.substr(start, comma - start)));
        const bool found = std::any_of(installed.begin(), installed.end(),
            [&](const std::string& family) { return asciiLower(family) == name; });
        if (!name.empty() && found)
            return true;
        start = comma + 1;
    }
    return false;
}

// Every setting as a file holds it, to tell whether a command changed any.
std::vector<std::string> settingTexts(const AlbumSettings& settings)
{
    std::vector<std::string> texts;
    for (const AlbumSettingsField& field : AlbumSettingsField::all())
        texts.push_back(field.valueText(settings));
    return texts;
}

bool outside(const std::string& text, NumberRange range)
{
    const auto number = parseInteger(text);
    return !number || *number < range.lowest || *number > range.highest;
}

// A box with a check, or a font size, over an integer setting: the box keeps the text as typed
// until it is checked, so that a refused text stays in its box.
bool isIntegerBox(const PreferenceRule& rule)
{
    return (rule.check != BoxCheck::None || rule.fontSize)
        && std::holds_alternative<std::int32_t AlbumSettings::*>(AlbumSettingsField::byName(rule.field).member);
}

const std::vector<std::string> kPlaces
    = { "Top of each HTML page", "Bottom of each HTML page", "Both top and bottom of each HTML page" };

const std::map<std::string, std::vector<std::string>, std::less<>> kChoices = {
    { "AlbumTitleAlignment", { "Center", "Left", "Right" } },
    { "FrameAlignment", { "Vertical Frames", "Horizontal Frames" } },
    { "WebTitleAlignment", { "Top of HTML page", "Bottom of HTML page" } },
    { "ListboxAlignment", kPlaces },
    { "NavigationButtonsAlignment", kPlaces },
    { "ButtonType",
        { "Text Buttons", "Button Set 1", "Button Set 2", "Button Set 3", "Button Set 4", "Button Set 5",
            "Button Set 6", "Small VCR Controls", "Round 1", "Round 2", "VCR Controls" } },
    { "HomeButtonFrame", { "_blank", "_self", "_parent", "_top" } },
    { "StyleSheetType", { "Embed <STYLE> Tag", "Style Sheet from disk", "Style Sheet (URL)" } },
    { "ResizeImageType",
        { "Do not resize any photos", "Resize photos by selecting pixel width/height",
            "Resize photos by a percentage" } },
    { "WatermarkType", { "No watermark", "Add text", "Add graphic (JPG, BMP, GIF, etc)" } },
    { "WatermarkOrientation", { "Top Left", "Bottom Left", "Top Right", "Bottom Right" } },
    { PreferencesPresenter::publishedMetadataField,
        { std::begin(publishedMetadataCaptions), std::end(publishedMetadataCaptions) } },
};

} // namespace

const std::vector<std::string>& PreferencesPresenter::choices(std::string_view field)
{
    const auto found = kChoices.find(field);
    if (found == kChoices.end())
        throw std::logic_error("the setting " + std::string(field) + " offers no choices");
    return found->second;
}

const std::vector<std::string>& PreferencesPresenter::fontSizeFields()
{
    static const std::vector<std::string> fields = [] {
        std::vector<std::string> names;
        for (const PreferenceRule& rule : PreferenceRule::all()) {
            if (rule.fontSize)
                names.emplace_back(rule.field);
        }
        return names;
    }();
    return fields;
}

PreferencesPresenter::PreferencesPresenter(Workspace& workspace)
    : m_workspace(workspace)
{
    showSettings();
}

PreferencesView PreferencesPresenter::view() const
{
    const AlbumSettings& settings = m_workspace.albumSettings();
    const bool pictureTemplate = m_workspace.catalog().templateIndex != 0;
    const bool catalogNamed = !m_workspace.catalog().name.empty();
    PreferencesView view;
    view.enabled = editable();
    view.indexPageLinksShown = catalogNamed;
    view.saveCaption = catalogNamed ? catalogSaveCaption : templateSaveCaption;
    view.thumbSizeEnabled = !pictureTemplate;
    view.offsetsEnabled = pictureTemplate;
    view.labelHeightEnabled = settings.Label;
    view.photoSizeEnabled = settings.ResizeImageType == 1;
    view.percentageEnabled = settings.ResizeImageType == 2;
    view.resampleEnabled = m_resampleEnabled;
    view.compressionEnabled = settings.CompressJPEG;
    view.watermarkTextEnabled = settings.WatermarkType == 1;
    view.watermarkImageEnabled = settings.WatermarkType == 2;
    view.styleSheetFileEnabled = settings.StyleSheetType == 1 || settings.StyleSheetType == 2;
    view.buttonTextsEnabled = settings.ButtonType <= 0;
    return view;
}

bool PreferencesPresenter::editable() const
{
    return !m_workspace.jobRunning();
}

std::string PreferencesPresenter::text(std::string_view field) const
{
    if (const auto box = m_integerBoxes.find(field); box != m_integerBoxes.end())
        return box->second;
    return setting<std::string>(m_workspace.albumSettings(), field);
}

bool PreferencesPresenter::isSet(std::string_view field) const
{
    return setting<bool>(m_workspace.albumSettings(), field);
}

std::int32_t PreferencesPresenter::value(std::string_view field) const
{
    if (field == publishedMetadataField) {
        const MetadataChoice& choice = m_workspace.catalog().publishedMetadata;
        return choice ? static_cast<std::int32_t>(*choice) : -1;
    }
    return setting<std::int32_t>(m_workspace.albumSettings(), field);
}

void PreferencesPresenter::showSettings()
{
    m_integerBoxes.clear();
    for (const PreferenceRule& rule : PreferenceRule::all()) {
        if (isIntegerBox(rule))
            m_integerBoxes.emplace(
                rule.field, std::to_string(setting<std::int32_t>(m_workspace.albumSettings(), rule.field)));
    }
}

void PreferencesPresenter::opened(const std::vector<std::string>& installedFonts)
{
    m_installedFonts = installedFonts;
    showSettings();
    m_changed.notify();
    warnAboutShownValues();
}

void PreferencesPresenter::warnAboutShownValues()
{
    const AlbumSettings& settings = m_workspace.albumSettings();
    std::string problems;
    if (!someFontInstalled(settings.FontFamily, m_installedFonts))
        problems += "\r\nThe font \"" + settings.FontFamily
            + "\" is not installed on this computer; the sample shows another font in its place.";
    const NumberRange border = PreferenceRule::of("PhotoBorderWidth").range;
    if (outside(settings.PhotoBorderWidth, border))
        problems += "\r\nBorder Width \"" + settings.PhotoBorderWidth + "\" is not a number from "
            + std::to_string(border.lowest) + " to " + std::to_string(border.highest) + ".";
    const NumberRange compression = PreferenceRule::of("CompressionRatio").range;
    if (outside(std::to_string(settings.CompressionRatio), compression))
        problems += "\r\nCompression " + std::to_string(settings.CompressionRatio) + " is not from "
            + std::to_string(compression.lowest) + " to " + std::to_string(compression.highest) + ".";
    for (const PreferenceRule& rule : PreferenceRule::all()) {
        if (!rule.fontSize)
            continue;
        const std::string size = AlbumSettingsField::byName(rule.field).valueText(settings);
        if (outside(size, rule.range))
            problems += "\r\nThe font size " + std::string(rule.field) + " \"" + size
                + "\" is not a whole number above 0.";
    }
    if (!problems.empty())
        m_workspace.dialogs().showWarning(
            "These settings are kept as they are, but should be checked:" + problems);
}

void PreferencesPresenter::closed()
{
    m_workspace.guards().albumGenerated = false;
    m_workspace.changes().notify();
}

void PreferencesPresenter::setText(std::string_view field, const std::string& text)
{
    if (const auto box = m_integerBoxes.find(field); box != m_integerBoxes.end())
        box->second = text;
    else
        setting<std::string>(m_workspace.albumSettings(), field) = text;
}

void PreferencesPresenter::edit(std::string_view field, const std::string& typed)
{
    if (!editable())
        return;
    const PreferenceRule& rule = PreferenceRule::of(field);
    const std::string text = rule.maxLength > 0 ? typed.substr(0, rule.maxLength) : typed;
    setText(field, text);
    if (rule.checkedWhileTyping)
        applyCheck(rule);
    if (field == "StyleSheet")
        m_workspace.albumSettings().ExternalStyleSheet = text;
    if (rule.rerenders)
        rerender();
    if (rule.fontSize) {
        recomputeSettingsValid();
        if (m_workspace.albumSettings().WatermarkType != 0)
            rerender();
    }
    m_changed.notify();
}

bool PreferencesPresenter::boxInteger(std::string_view field, std::int32_t& value)
{
    try {
        value = textToInt(text(field));
        return true;
    } catch (const ConversionError& error) {
        m_workspace.dialogs().showError(error.what());
        return false;
    }
}

void PreferencesPresenter::applyCheck(const PreferenceRule& rule)
{
    const std::string_view field = rule.field;
    AlbumSettings& settings = m_workspace.albumSettings();
    const std::string shown = text(field);
    switch (rule.check) {
    case BoxCheck::None:
        break;
    case BoxCheck::EmptyThenInteger: {
        if (shown.empty())
            setText(field, rule.fallback);
        std::int32_t number = 0;
        if (boxInteger(field, number))
            setting<std::int32_t>(settings, field) = number;
        break;
    }
    case BoxCheck::IntegerInRange: {
        const auto number = parseInteger(shown);
        const bool within = number && *number >= rule.range.lowest && *number <= rule.range.highest;
        const std::int32_t value = within ? *number : textToInt(rule.fallback);
        setText(field, std::to_string(value));
        setting<std::int32_t>(settings, field) = value;
        break;
    }
    case BoxCheck::NotEmpty:
        if (shown.empty())
            setText(field, rule.fallback);
        break;
    case BoxCheck::Integer:
        if (!isInteger(shown))
            setText(field, rule.fallback);
        if (isIntegerBox(rule))
            setting<std::int32_t>(settings, field) = textToInt(text(field));
        break;
    }
}

void PreferencesPresenter::settleLabelFontSize()
{
    const char* field = "LabelFontSize";
    std::int32_t size = textToInt(PreferenceRule::of(field).fallback);
    if (text(field).empty() || boxInteger(field, size))
        m_workspace.albumSettings().LabelFontSize = size;
}

void PreferencesPresenter::leave(std::string_view field)
{
    if (!editable())
        return;
    const PreferenceRule& rule = PreferenceRule::of(field);
    const bool checkedNow = rule.check != BoxCheck::None && !rule.checkedWhileTyping;
    if (checkedNow)
        applyCheck(rule);
    if (rule.fontSize)
        settleLabelFontSize();
    if (checkedNow || rule.fontSize)
        m_changed.notify();
}

void PreferencesPresenter::recomputeSettingsValid()
{
    bool usable = true;
    for (const PreferenceRule& rule : PreferenceRule::all()) {
        if (!rule.layoutNumber)
            continue;
        std::int32_t number = 0;
        if (!boxInteger(rule.field, number))
            return; // the guard keeps its value
        usable = usable && number >= 0;
    }
    m_workspace.guards().settingsValid = usable;
}

void PreferencesPresenter::rerender()
{
    m_workspace.generationFlags().rerenderPhotos = true;
}

void PreferencesPresenter::setSwitch(std::string_view field, bool on)
{
    if (!editable())
        return;
    AlbumSettings& settings = m_workspace.albumSettings();
    setting<bool>(settings, field) = on;
    if (field == "Label") {
        settings.LabelHeight = on ? 15 : 0;
        setText("LabelHeight", std::to_string(settings.LabelHeight));
    }
    if (PreferenceRule::of(field).rerenders)
        rerender();
    m_changed.notify();
}

void PreferencesPresenter::choose(std::string_view field, std::int32_t entry)
{
    if (!editable())
        return;
    if (field == "HomeButtonFrame") {
        edit(field, choices(field).at(static_cast<std::size_t>(entry)));
        return;
    }
    if (field == publishedMetadataField) {
        // The catalog's own choice: the photos already published carry the old one.
        m_workspace.catalog().publishedMetadata = static_cast<PublishedMetadata>(entry);
        m_workspace.catalog().modified = true;
        rerender();
        m_changed.notify();
        return;
    }
    AlbumSettings& settings = m_workspace.albumSettings();
    setting<std::int32_t>(settings, field) = entry;
    if (field == "ResizeImageType")
        m_resampleEnabled = entry != 0;
    if (field == "ButtonType")
        setButtonImages(m_workspace.programFolder(), settings);
    if (PreferenceRule::of(field).rerenders)
        rerender();
    m_changed.notify();
}

void PreferencesPresenter::setColour(std::string_view field, std::int32_t colour)
{
    if (!editable())
        return;
    setting<std::int32_t>(m_workspace.albumSettings(), field) = colour;
    m_changed.notify();
}

void PreferencesPresenter::stepBorderWidth(std::int32_t step)
{
    const NumberRange range = PreferenceRule::of("PhotoBorderWidth").range;
    const auto number = parseInteger(text("PhotoBorderWidth"));
    const std::int32_t width = number ? std::clamp(*number, range.lowest, range.highest) : range.lowest;
    edit("PhotoBorderWidth", std::to_string(std::clamp(width + step, range.lowest, range.highest)));
}

void PreferencesPresenter::compressionLabelClicked()
{
    if (editable())
        rerender();
}

void PreferencesPresenter::chooseStyleSheet()
{
    if (!editable())
        return;
    const AlbumSettings& settings = m_workspace.albumSettings();
    const std::string folder = settings.StyleSheet.empty()
        ? m_workspace.programFolder()
        : settings.StyleSheet.substr(0, settings.StyleSheet.find_last_of('/') + 1);
    if (const auto path = m_workspace.dialogs().chooseOpenFile(
            "Style Sheet (*.CSS) from disk", folder, "Style Sheet (.CSS) (*.CSS *.css)"))
        edit("StyleSheet", *path);
}

void PreferencesPresenter::chooseWatermarkImage()
{
    if (!editable())
        return;
    if (const auto path = m_workspace.dialogs().chooseOpenFile("Watermark image", m_workspace.programFolder(),
            "Pictures (*.jpg *.jpeg *.bmp *.gif *.png *.tif *.tiff *.pcx *.tga *.psd *.psp *.pbm *.pgm "
            "*.ppm)"))
        edit("WatermarkImage", *path);
}

void PreferencesPresenter::save()
{
    if (!editable())
        return;
    try {
        if (m_workspace.catalog().name.empty())
            saveTemplate(m_workspace);
        else
            saveCatalog(m_workspace);
    } catch (const std::exception& error) {
        m_workspace.dialogs().showError(error.what());
    }
    m_workspace.changes().notify();
}

void PreferencesPresenter::restore()
{
    if (!editable())
        return;
    const std::vector<std::string> before = settingTexts(m_workspace.albumSettings());
    try {
        restoreFactorySettings(m_workspace);
    } catch (const std::exception& error) {
        m_workspace.dialogs().showError(error.what());
    }
    // A read that stopped part way has applied the keys before the bad one.
    showSettings();
    m_changed.notify();
    m_workspace.changes().notify();
    if (settingTexts(m_workspace.albumSettings()) != before)
        warnAboutShownValues();
}

} // namespace pictaven
