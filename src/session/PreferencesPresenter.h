#pragma once

#include "session/ChangeNotifier.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace pictaven
{

class Workspace;
struct PreferenceRule;

// Which controls of the preferences dialog may be used, and the texts that depend on the
// catalog.
struct PreferencesView {
    bool enabled = true; // false while a job reads the settings
    bool indexPageLinksShown = false; // the "&Index Page Links" page, only while a catalog is named
    std::string saveCaption; // "&Save To Album Template" or "&Save Catalog"
    bool thumbSizeEnabled = true; // Thumb Width and Thumb Height: the basic album only
    bool offsetsEnabled = false; // the four border offsets: picture templates only
    bool labelHeightEnabled = true;
    bool photoSizeEnabled = false; // Max Photo Width and Height
    bool percentageEnabled = false;
    bool resampleEnabled = false;
    bool compressionEnabled = false;
    bool watermarkTextEnabled = false;
    bool watermarkImageEnabled = false; // the image box and its chooser
    bool styleSheetFileEnabled = false; // the disk box and its chooser
    bool buttonTextsEnabled = true; // Index, Previous, Next and Home button texts
};

// The preferences dialog over the workspace's album settings. Every box, switch and choice is
// named by the album setting it edits ("ThumbWidth", "Label", "ResizeImageType"); a change takes
// effect at once, so there is nothing to cancel. Boxes of integer settings keep the text as typed
// until it is checked, so that a rejected text stays in its box. Commands never throw: failures
// are shown through the workspace's dialogs and the settings stay as they were.
//
// Lives as long as the window, as the dialog's controls do: the Resample switch keeps the
// enabled state that the last resize choice gave it.
class PreferencesPresenter
{
public:
    static constexpr const char* templateSaveCaption = "&Save To Album Template";
    static constexpr const char* catalogSaveCaption = "&Save Catalog";
    // The choice of what published photos carry, which the catalog keeps rather than the settings.
    static constexpr const char* publishedMetadataField = "PublishedMetadata";

    // The choice lists, in the order of the settings' values.
    static const std::vector<std::string>& choices(std::string_view field);
    // The nine font-size boxes: "Thumbnail Label" first, as the settings check reads it.
    static const std::vector<std::string>& fontSizeFields();

    // `workspace` outlives the presenter.
    explicit PreferencesPresenter(Workspace& workspace);

    PreferencesView view() const;
    // Told when something the dialog shows changed through one of its commands.
    ChangeNotifier& changed() { return m_changed; }

    // What a box shows.
    std::string text(std::string_view field) const;
    bool isSet(std::string_view field) const;
    // A choice (an index, -1 for none) or a colour.
    std::int32_t value(std::string_view field) const;

    // The dialog is shown: the boxes show the settings as they are now. `installedFonts` are
    // the font families of the system; a style-sheet font that is not among them, and numbers
    // outside what the dialog offers, are named in one warning. Nothing is changed by it.
    void opened(const std::vector<std::string>& installedFonts);
    // The dialog closed: the album no longer matches the settings.
    void closed();

    // The text of a box changed (typing, or a choice from its list).
    void edit(std::string_view field, const std::string& text);
    // The focus left a box: its text is checked and fixed up as the box's rule says.
    void leave(std::string_view field);
    void setSwitch(std::string_view field, bool on);
    // A choice made by the person.
    void choose(std::string_view field, std::int32_t entry);
    void setColour(std::string_view field, std::int32_t colour);
    // The up-down control of Border Width: one step up (+1) or down (-1), within its range.
    void stepBorderWidth(std::int32_t step);
    // A click on the "Compression (100=best quality)" label.
    void compressionLabelClicked();

    // The ".." and "..." choosers.
    void chooseStyleSheet();
    void chooseWatermarkImage();

    // The save button: the catalog while one is named, else the album template (after its
    // question). Restore: the chosen template's factory settings.
    void save();
    void restore();

private:
    bool editable() const;
    void showSettings();
    void setText(std::string_view field, const std::string& text);
    // The integer in a box, or the conversion error shown and nothing when there is none.
    bool boxInteger(std::string_view field, std::int32_t& value);
    // The box of the rule's field checked as the rule says.
    void applyCheck(const PreferenceRule& rule);
    // LabelFontSize takes the integer in its box, the rule's fallback while the box is empty.
    void settleLabelFontSize();
    void recomputeSettingsValid();
    void rerender();
    void warnAboutShownValues();

    Workspace& m_workspace;
    std::map<std::string, std::string, std::less<>> m_integerBoxes;
    std::vector<std::string> m_installedFonts;
    bool m_resampleEnabled = false;
    ChangeNotifier m_changed;
};

} // namespace pictaven
