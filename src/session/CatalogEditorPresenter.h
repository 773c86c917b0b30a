#pragma once

#include "catalog/StripPicture.h"
#include "session/ChangeNotifier.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pictaven {

class Workspace;

// What the catalog editor shows besides the strip's cells.
struct CatalogEditorView {
    std::string caption;     // the dialog's caption
    std::size_t photoCount = 0;
    std::size_t current = 0; // the photo the fields belong to
    // The fields as last loaded from a photo; the page fills its edits only when `fieldsLoaded`
    // has changed, so that what the person is typing stays.
    std::string label;
    std::string webTitle;
    std::string description; // lines joined by "\n"
    std::string audioFile;
    std::int32_t rotation = 0;
    std::string fileName; // the current photo's WorkingPath
    std::uint64_t fieldsLoaded = 0;
    // Changes whenever photos move or leave the list: pictures made for positions before that
    // belong to other photos now.
    std::uint64_t layout = 0;
};

// One cell of the thumbnail strip.
struct StripCell {
    std::string topText;    // "  " + the file name of WorkingPath + " "
    std::string bottomText; // the rotation, " No Rotate" to " Flip"
    std::string cacheFile;  // where the picture is kept between showings
    std::string workingPath;
};

// The catalog editor: walks through the photos of the catalog, edits each one's label, web
// title, description, audio file and rotation in place, moves and removes photos, and saves the
// catalog. Every change marks the catalog changed. Commands never throw: failures are shown
// through the workspace's dialogs.
class CatalogEditorPresenter {
public:
    static constexpr const char* caption = "Photo Album Editor";
    static constexpr const char* helpTopic = "Catalog_Editor";
    static constexpr std::array<const char*, 4> rotations = {"No Rotation", "Rotate Left", "Rotate Right", "Flip"};
    // What the six tag buttons insert, in the order of the buttons.
    static constexpr std::array<const char*, 6> tags = {"<BR>", "<P>", "</P>", "<B>", "</B>", "<HR>"};
    static constexpr const char* audioFilter =
        "All Audio Files (*.MID *MP3 *.MP2 *.WAV *.mid *mp3 *.mp2 *.wav);;"
        "MP3 (*.MP3, *.MP2) (*.MP3 *.MP2 *.mp3 *.mp2);;WAV (*.WAV) (*.WAV *.wav);;MIDI (*.MID) (*.MID *.mid)";

    // `workspace` outlives the presenter. The first photo, if any, becomes current and its
    // fields are loaded into the (so far empty) fields.
    explicit CatalogEditorPresenter(Workspace& workspace);

    CatalogEditorView view() const;
    StripCell cell(std::size_t position) const;
    // Told when something the editor shows changed through one of its commands.
    ChangeNotifier& changed() { return m_changed; }

    // A press on the thumbnail of `position`: it becomes current and its fields are loaded.
    // Positions beyond the photos are ignored.
    void selectPhoto(std::size_t position);

    // A field left the focus: its value goes into the current photo.
    void storeLabel(const std::string& label);
    void storeWebTitle(const std::string& webTitle);
    void storeAudioFile(const std::string& audioFile);
    // Lines separated by "\n"; an empty text is no line, a final line break adds none.
    void storeDescription(const std::string& description);
    // A key press, change or click in one of the four edits.
    void fieldTouched();

    // A tag button with the caret at byte `column` of `line`: the line with the tag inserted
    // there.
    std::string insertTag(std::size_t tag, const std::string& line, std::size_t column);
    // The ".." button: asks for an audio file; the chosen path goes into the current photo and
    // is returned for the audio edit.
    std::optional<std::string> chooseAudioFile();
    void setRotation(std::int32_t rotation);

    // A thumbnail dragged from position `from` to `to`: the photo moves there by exchanges with
    // its neighbours, its cache file with it. The current photo stays current.
    void movePhoto(std::size_t from, std::size_t to);
    // "Remove Photo" and the Delete key: removes the current photo, unless it is the last one
    // left; the photo at the same position (or the new last one) becomes current.
    void removeCurrentPhoto();
    // The file "View Photo" opens.
    std::string viewPhotoPath() const;
    // No program could show it.
    void viewerFailed();
    // "Save Catalog": the description goes into the current photo, then the catalog is saved
    // (an unnamed one asks for a file); the caption becomes the catalog's name.
    void saveCatalog(const std::string& description);

    // Where the picture of `position` made at `layout` is written first.
    std::string stripScratchFile(std::size_t position, std::uint64_t layout) const;
    // A picture made for the strip at `layout` has arrived: a new one becomes the cache file of
    // `position`, unless photos have moved since. When the cache cannot be written, that is said
    // once; the strip shows the picture all the same.
    void keepStripPicture(std::size_t position, std::uint64_t layout, const StripPicture& picture);
    std::string errorPicturePath() const;

private:
    void loadFields();
    void markModified();

    Workspace& m_workspace;
    ChangeNotifier m_changed;
    std::size_t m_current = 0;
    std::string m_caption = caption;
    // What the edits hold, to tell whether loading another photo changes them.
    std::string m_label;
    std::string m_webTitle;
    std::string m_audioFile;
    std::string m_description;
    std::uint64_t m_fieldsLoaded = 0;
    std::uint64_t m_layout = 0;
    bool m_cacheErrorShown = false;
};

} // namespace pictaven
