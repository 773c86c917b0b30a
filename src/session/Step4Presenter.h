#pragma once

#include "generate/GenerateOptions.h"
#include "generate/GenerationControl.h"
#include "generate/GenerationOutcome.h"
#include "session/ChangeNotifier.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pictaven {

class AlbumGenerator;
class JobRunner;
class Workspace;

// One check box of the generate options panel.
struct GenerateOptionRow {
    GenerateOption option;
    std::string caption;
    bool checked = false;
    bool enabled = true;
};

struct Step4View {
    std::vector<GenerateOptionRow> options; // in panel order
    bool optionsEnabled = true;             // the whole panel; off while a job runs
    bool generating = false;                // the Generate picture blinks
    bool generateEnabled = true;
    bool cancelEnabled = false;
    int progressMinimum = 0;
    int progressMaximum = 100;
    int progressPosition = 0;
    std::string percentage;
    std::string status;
    std::string viewHint; // the hint of "View Photo Album"; empty until a generation has ended
};

// Step 4: the generate options and the Generate command, which runs on a worker through the
// runner while the window goes on showing its progress.
class Step4Presenter {
public:
    static constexpr const char* helpTopic = "Generate_Photo_Album";
    static constexpr const char* notGeneratedMessage = "You must first generate the photo album";
    static constexpr const char* idleStatus = "Generating Photo Album";
    static constexpr const char* substitutionsNote = "Some web servers may have problems with spaces in filenames";
    static constexpr const char* multiWindowHint =
        "If selected, HTML frames are used to allow for a vertically split display";

    // The arguments outlive the presenter. Photos are rendered on `jobs` threads (0: one per
    // processor core).
    Step4Presenter(Workspace& workspace, JobRunner& runner, int jobs = 0);
    ~Step4Presenter();

    Step4View view() const;
    ChangeNotifier& changed() { return m_changed; }

    static std::string optionCaption(GenerateOption option);

    // Opening the page: the progress starts again from 0, unless a generation runs.
    void enter();
    // A click that leaves an option's box in state `on`; ignored while a job runs.
    void clickOption(GenerateOption option, bool on);
    // Starts a generation unless a job runs already: the job is copied out here, the work runs
    // through the runner, and the results go back into the workspace when it has ended.
    void generate();
    // Takes effect at the generation's next photo.
    void cancel();
    // "View Photo Album": the album's entry page in the output folder, for the browser; when it
    // does not exist, the information box says so and there is nothing to open.
    std::optional<std::string> viewAlbum();

    bool generating() const { return m_generator != nullptr; }
    // How the last generation ended.
    std::optional<GenerationOutcome> lastOutcome() const { return m_lastOutcome; }

private:
    void finish();
    void show(const std::function<void()>& change);

    Workspace& m_workspace;
    JobRunner& m_runner;
    int m_jobs;
    GenerationControl m_control;
    std::unique_ptr<AlbumGenerator> m_generator;
    GenerationOutcome m_outcome = GenerationOutcome::NotStarted; // written by the worker
    std::optional<GenerationOutcome> m_lastOutcome;
    int m_progressMinimum = 0;
    int m_progressMaximum = 100;
    int m_progressPosition = 0;
    std::string m_percentage = "0 %";
    std::string m_status = idleStatus;
    std::string m_viewHint;
    ChangeNotifier m_changed;
};

} // namespace pictaven
