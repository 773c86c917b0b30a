#include "support/ScriptedDialogs.h"

namespace pictaven::test {

std::vector<std::string> ScriptedDialogs::texts(Kind kind) const
{
    std::vector<std::string> result;
    for (const Shown& item : shown) {
        if (item.kind == kind)
            result.push_back(item.text);
    }
    return result;
}

void ScriptedDialogs::showError(const std::string& text)
{
    shown.push_back({Kind::Error, text});
}

void ScriptedDialogs::showWarning(const std::string& text)
{
    shown.push_back({Kind::Warning, text});
}

void ScriptedDialogs::showInformation(const std::string& text)
{
    shown.push_back({Kind::Information, text});
}

bool ScriptedDialogs::askYesNo(const std::string& text)
{
    shown.push_back({Kind::Question, text});
    if (yesNoAnswers.empty())
        throw Unscripted("no scripted answer for the question: " + text);
    if (onQuestion)
        onQuestion(text);
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::chooseOpenFile(const std::string& title, const std::string& folder,
                                                           const std::string& filter)
{
    shown.push_back({Kind::OpenFile, title, folder, {}, filter});
    return nextChooserAnswer(title);
}

std::optional<std::string> ScriptedDialogs::chooseSaveFile(const std::string& title, const std::string& folder,
                                                           const std::string& suggestedName,
                                                           const std::string& filter)
{
    shown.push_back({Kind::SaveFile, title, folder, suggestedName, filter});
    return nextChooserAnswer(title);
}

std::optional<std::string> ScriptedDialogs::chooseFolder(const std::string& title, const std::string& folder)
{
    shown.push_back({Kind::Folder, title, folder});
    return nextChooserAnswer(title);
}

void ScriptedDialogs::beep()
{
    shown.push_back({Kind::Beep, {}});
}

std::optional<std::string> ScriptedDialogs::nextChooserAnswer(const std::string& title)
{
    if (chooserAnswers.empty())
        throw Unscripted("no scripted answer for the chooser: " + title);
    auto answer = chooserAnswers.front();
    chooserAnswers.pop_front();
    return answer;
}

} // namespace pictaven::test
