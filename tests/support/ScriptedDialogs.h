#pragma once

#include "app/Dialogs.h"

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace pictaven::test {

// A Dialogs for tests: records everything the code under test shows or asks, in order, and
// answers from scripted lists. Asking with no scripted answer left throws
// ScriptedDialogs::Unscripted, which fails the test with the question's text.
class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Error, Warning, Information, Question, OpenFile, SaveFile, Folder, Beep };

    struct Shown {
        Kind kind;
        std::string text; // the message, question or chooser title; empty for a beep
        std::string folder = {};
        std::string suggestedName = {};
        std::string filter = {};
    };

    class Unscripted : public std::logic_error {
    public:
        using std::logic_error::logic_error;
    };

    // Answers to askYesNo, taken from the front.
    std::deque<bool> yesNoAnswers;
    // Answers to askToSaveChanges, taken from the front. Its question is shown as a Question.
    std::deque<SaveChoice> saveAnswers;
    // Answers to the three choosers, shared and taken from the front; nullopt means Cancel.
    std::deque<std::optional<std::string>> chooserAnswers;
    // Called with the question's text before a question is answered, to look at the world as it is
    // at the moment of asking.
    std::function<void(const std::string& question)> onQuestion;

    std::vector<Shown> shown;

    // The texts shown of one kind, in order.
    std::vector<std::string> texts(Kind kind) const;

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

private:
    template <typename Answer> Answer nextAnswer(std::deque<Answer>& answers, const std::string& question);
    std::optional<std::string> nextChooserAnswer(const std::string& title);
};

} // namespace pictaven::test
