#pragma once

#include "app/Dialogs.h"

#include <string>

namespace pictaven::cli {

// The dialogs of a command run without a person at hand: boxes are printed on standard error,
// questions are printed and answered No, the question about unsaved changes is answered
// Cancel (which drops nothing), and choosers are cancelled.
class TerminalDialogs : public Dialogs {
public:
    // `command` prefixes every line, e.g. "pictaven-cli generate".
    explicit TerminalDialogs(std::string command) : m_command(std::move(command)) {}

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
    void beep() override {}

    // How many errors were shown so far.
    int errorCount() const { return m_errors; }

private:
    void print(const char* kind, const std::string& text);

    std::string m_command;
    int m_errors = 0;
};

} // namespace pictaven::cli
