#include "session/Step4Presenter.h"

#include "app/Dialogs.h"
#include "generate/AlbumGenerator.h"
#include "generate/ShortAlbumName.h"
#include "session/JobRunner.h"
#include "session/Workspace.h"
#include "session/WorkspaceGeneration.h"

#include <exception>
#include <filesystem>

namespace pictaven {

namespace {

constexpr GenerateOption panelOrder[] = {
    GenerateOption::Substitutions, GenerateOption::LowercaseFiles, GenerateOption::SneakPeek,
    GenerateOption::DeleteFolder,  GenerateOption::CDROM,          GenerateOption::MultiWindow,
    GenerateOption::SmartRender,
};

} // namespace

Step4Presenter::Step4Presenter(Workspace& workspace, JobRunner& runner, int jobs)
    : m_workspace(workspace), m_runner(runner), m_jobs(jobs)
{
}

Step4Presenter::~Step4Presenter() = default;

std::string Step4Presenter::optionCaption(GenerateOption option)
{
    switch (option) {
    case GenerateOption::Substitutions:
        return "Automatically substitute spaces with underscores (recommended)?";
    case GenerateOption::LowercaseFiles:
        return "Convert files to lowercase ";
    case GenerateOption::SneakPeek:
        return "Quick Preview Mode - Used for testing purposes";
    case GenerateOption::DeleteFolder:
        return "Delete output folder prior to album generation";
    case GenerateOption::CDROM:
        return "Build album which can be used to create an auto-run CDROM";
    case GenerateOption::MultiWindow:
        return "Create album with two window frames, otherwise use single frame";
    case GenerateOption::SmartRender:
        return "Smart Render (If disabled then render one time only)";
    }
    return {};
}

Step4View Step4Presenter::view() const
{
    Step4View view;
    const bool busy = m_workspace.jobRunning();
    for (const GenerateOption option : panelOrder) {
        view.options.push_back({option, optionCaption(option),
                                generateOption(option, m_workspace.albumSettings(), m_workspace.generationFlags()),
                                generateOptionEnabled(option, m_workspace.generationFlags())});
    }
    view.optionsEnabled = !busy;
    view.generating = generating();
    view.generateEnabled = !busy;
    view.cancelEnabled = generating();
    view.progressMinimum = m_progressMinimum;
    view.progressMaximum = m_progressMaximum;
    view.progressPosition = m_progressPosition;
    view.percentage = m_percentage;
    view.status = m_status;
    view.viewHint = m_viewHint;
    return view;
}

void Step4Presenter::show(const std::function<void()>& change)
{
    change();
    m_changed.notify();
}

void Step4Presenter::enter()
{
    if (generating())
        return;
    show([this] {
        m_progressPosition = m_progressMinimum;
        m_percentage = "0 %";
        m_status = idleStatus;
    });
}

void Step4Presenter::clickOption(GenerateOption option, bool on)
{
    if (m_workspace.jobRunning())
        return;
    show([&] { clickGenerateOption(option, on, m_workspace.albumSettings(), m_workspace.generationFlags()); });
}

void Step4Presenter::generate()
{
    // The Generate picture stays clickable; a second click must not start a second generation.
    if (m_workspace.jobRunning() || generating())
        return;
    GenerationEvents events;
    // Everything the generation reports arrives on the worker; the view changes on this thread.
    events.status = [this](const std::string& text) {
        m_runner.post([this, text] { show([&] { m_status = text; }); });
    };
    events.progressRange = [this](int minimum, int maximum) {
        m_runner.post([this, minimum, maximum] {
            show([&] {
                m_progressMinimum = minimum;
                m_progressMaximum = maximum;
            });
        });
    };
    events.progressPosition = [this](int position) {
        m_runner.post([this, position] { show([&] { m_progressPosition = position; }); });
    };
    events.percentage = [this](const std::string& text) {
        m_runner.post([this, text] { show([&] { m_percentage = text; }); });
    };
    events.logMessage = [this](const std::string& text) {
        m_runner.call([this, &text] { m_workspace.logMessage(text); });
    };
    events.showError = [this](const std::string& text) {
        m_runner.call([this, &text] { m_workspace.dialogs().showError(text); });
    };
    try {
        m_generator = std::make_unique<AlbumGenerator>(makeAlbumJob(m_workspace), events, m_control, m_jobs);
    } catch (const std::exception& failure) {
        m_workspace.dialogs().showError(failure.what());
        return;
    }
    m_outcome = GenerationOutcome::NotStarted;
    m_workspace.setJobRunning(true);
    m_changed.notify();
    m_runner.run([this] { m_outcome = m_generator->generate(); }, [this] { finish(); });
}

void Step4Presenter::finish()
{
    try {
        applyGenerationResult(m_workspace, *m_generator);
    } catch (const std::exception& failure) {
        m_workspace.dialogs().showError(failure.what());
    }
    m_lastOutcome = m_outcome;
    m_viewHint = "Photo Album URL : " + m_generator->entryPagePath();
    m_generator.reset();
    m_changed.notify();
    m_workspace.setJobRunning(false);
}

void Step4Presenter::cancel()
{
    m_control.requestCancel();
}

std::optional<std::string> Step4Presenter::viewAlbum()
{
    const AlbumSettings& settings = m_workspace.albumSettings();
    const std::string page =
        ShortAlbumName::paths(m_workspace.outputFolder(), settings.AlbumShortName).entryPage(settings.MultiWindow);
    std::error_code error;
    if (!std::filesystem::is_regular_file(page, error)) {
        m_workspace.dialogs().showInformation(notGeneratedMessage);
        return std::nullopt;
    }
    return page;
}

} // namespace pictaven
