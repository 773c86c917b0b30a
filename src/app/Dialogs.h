#pragma once

#include <optional>
#include <string>

namespace pictaven {

// Everything the core needs from a person. The desktop program answers with real dialogs, the
// command line on the terminal, and tests with a scripted fake. Texts are UTF-8.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual void showError(const std::string& text) = 0;
    virtual void showWarning(const std::string& text) = 0;
    virtual void showInformation(const std::string& text) = 0;

    // A warning box with Yes and No; true for Yes.
    virtual bool askYesNo(const std::string& text) = 0;

    enum class SaveChoice { Save, Discard, Cancel };
    // The question whether to save unsaved changes before they are replaced or dropped: a
    // warning box with Save, Discard and Cancel. Cancel, Escape and closing the box all mean
    // "stop and change nothing".
    virtual SaveChoice askToSaveChanges(const std::string& text) = 0;

    // File and folder choosers. `filter` is a list like "Catalogs (*.cat)". An empty optional
    // means the person cancelled. Returned paths are absolute.
    virtual std::optional<std::string> chooseOpenFile(const std::string& title, const std::string& folder,
                                                      const std::string& filter) = 0;
    virtual std::optional<std::string> chooseSaveFile(const std::string& title, const std::string& folder,
                                                      const std::string& suggestedName,
                                                      const std::string& filter) = 0;
    virtual std::optional<std::string> chooseFolder(const std::string& title, const std::string& folder) = 0;

    virtual void beep() = 0;
};

} // namespace pictaven
