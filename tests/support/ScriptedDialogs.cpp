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

template <typename Answer> Answer ScriptedDialogs::nextAnswer(std::deque<Answer>& answers, const std::string& question)
{
    shown.push_back({Kind::Question, question});
    if (answers.empty())
        throw Unscripted("no scripted answer for the question: " + question);
    if (onQuestion)
        onQuestion(question);
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedDialogs::askYesNo(const std::string& text)
{
    return nextAnswer(yesNoAnswers, text);
}

Dialogs::SaveChoice ScriptedDialogs::askToSaveChanges(const std::string& text)
{
    return nextAnswer(saveAnswers, text);
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
