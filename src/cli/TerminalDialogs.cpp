#include "cli/TerminalDialogs.h"

#include <iostream>

namespace pictaven::cli {

void TerminalDialogs::print(const char* kind, const std::string& text)
{
    // Messages written for boxes use CR LF; a terminal wants plain line feeds.
    std::string plain;
    plain.reserve(text.size());
    for (char c : text) {
        if (c != '\r')
            plain += c;
    }
    while (!plain.empty() && (plain.back() == '\n' || plain.back() == ' '))
        plain.pop_back();
    std::cerr << m_command << ": " << kind << plain << '\n';
}

void TerminalDialogs::showError(const std::string& text)
{
    ++m_errors;
    print("error: ", text);
}

void TerminalDialogs::showWarning(const std::string& text) { print("warning: ", text); }

void TerminalDialogs::showInformation(const std::string& text) { print("", text); }

bool TerminalDialogs::askYesNo(const std::string& text)
{
    print("", text + " -> No");
    return false;
}

Dialogs::SaveChoice TerminalDialogs::askToSaveChanges(const std::string& text)
{
    print("", text + " -> Cancel");
    return SaveChoice::Cancel;
}

std::optional<std::string> TerminalDialogs::chooseOpenFile(const std::string&, const std::string&,
                                                           const std::string&)
{
    return std::nullopt;
}

std::optional<std::string> TerminalDialogs::chooseSaveFile(const std::string&, const std::string&,
                                                           const std::string&, const std::string&)
{
    return std::nullopt;
}

std::optional<std::string> TerminalDialogs::chooseFolder(const std::string&, const std::string&)
{
    return std::nullopt;
}

} // namespace pictaven::cli
