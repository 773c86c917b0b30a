#pragma once

#include "app/Dialogs.h"

class QWidget;

namespace pictaven {

// Dialogs answered with Qt's message boxes and file choosers. Boxes are modal and centred on
// the screen; texts are shown as plain text, never as markup.
class QtDialogs : public Dialogs {
public:
    void showError(const std::string& text) override;
    void showWarning(const std::string& text) override;
    void showInformation(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    SaveChoice askToSaveChanges(const std::string& text) override;
    std::optional<std::string> chooseOpenFile(const std::string& title, const std::string& folder,
                                              const std::string& filter) override;
    std::optional<std::string> chooseSaveFile(const std::string& title, const std::string& folder,
                                              const std::string& suggestedName, const std::string& filter) override;
    std::optional<std::string> chooseFolder(const std::string& title, const std::string& folder) override;
    void beep() override;
};

} // namespace pictaven
