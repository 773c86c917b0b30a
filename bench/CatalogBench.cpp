// Opening, saving and closing a catalog of 10,000 photos, each with a caption, a web title and
// two description lines, on a workspace in a scratch program folder. The photo files exist
// (empty), so opening checks each of them as it would for a real album.
// Also the commands of step 1 on a folder of 5,000 photos, each followed by the view the window
// draws: adding the folder, adding all its files selected, sorting, removing all.

#include "app/Dialogs.h"
#include "session/CatalogCommands.h"
#include "session/Step1Presenter.h"
#include "session/Workspace.h"

#include <benchmark/benchmark.h>

#include <chrono>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

using namespace pictaven;

namespace {

namespace fs = std::filesystem;

constexpr int kPhotos = 10000;
constexpr int kFolderPhotos = 5000;

// Answers every question with `answer` (default No) and cancels every chooser, without a word.
class SilentDialogs : public Dialogs {
public:
    explicit SilentDialogs(bool answer = false)
        : m_answer(answer)
    {
    }
    void showError(const std::string&) override { }
    void showWarning(const std::string&) override { }
    void showInformation(const std::string&) override { }
    bool askYesNo(const std::string&) override { return m_answer; }
    SaveChoice askToSaveChanges(const std::string&) override { return SaveChoice::Discard; }
    std::optional<std::string> chooseOpenFile(const std::string&, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> chooseSaveFile(const std::string&, const std::string&, const std::string&,
                                              const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> chooseFolder(const std::string&, const std::string&) override { return std::nullopt; }
    void beep() override { }

private:
    bool m_answer;
};

// The scratch program folder with its photos and catalog, made once and removed at exit.
class Scratch {
public:
    Scratch()
    {
        std::string pattern = (fs::temp_directory_path() / "pictaven-catalog-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        m_home = pattern + "/";
        fs::create_directories(m_home + "Photos");
        std::ofstream catalog(catalogPath(), std::ios::binary);
        catalog << "[Program]\r\nVersion=3.03\r\n[Files]\r\n";
        for (int n = 1; n <= kPhotos; ++n) {
            const std::string number = std::to_string(n);
            const std::string photo = m_home + "Photos/photo" + number + ".jpg";
            std::ofstream(photo, std::ios::binary).flush();
            catalog << "Source_File_" << number << '=' << photo << "\r\nCaption_" << number << "=Caption " << number
                    << "\r\nWebTitle_" << number << "=Web title of photo " << number << "\r\nRotation_" << number
                    << "=0\r\nDescr_" << number << "_Line_1=First line of the description\r\nDescr_" << number
                    << "_Line_2=<!>\r\n";
        }
        catalog << "Source_File_" << kPhotos + 1 << "=\r\n";
        // Sparse files of a photo's size, named out of order so that sorting has work to do.
        fs::create_directories(step1Folder());
        for (int n = 0; n < kFolderPhotos; ++n) {
            const std::string photo =
                step1Folder() + "IMG_" + std::to_string((n * 7919) % kFolderPhotos + 10000) + ".jpg";
            std::ofstream(photo, std::ios::binary).flush();
            fs::resize_file(photo, 300000);
            fs::last_write_time(photo, fs::file_time_type::clock::now() - std::chrono::minutes((n * 31) % 977));
        }
    }
    ~Scratch()
    {
        std::error_code ignored;
        fs::remove_all(m_home, ignored);
    }

    const std::string& home() const { return m_home; }
    std::string catalogPath() const { return m_home + "Big.CAT"; }
    std::string step1Folder() const { return m_home + "Step1/"; }

private:
    std::string m_home;
};

Scratch& scratch()
{
    static Scratch instance;
    return instance;
}

std::unique_ptr<Workspace> startWorkspace(Dialogs& dialogs)
{
    auto workspace = std::make_unique<Workspace>(scratch().home(), "", dialogs);
    workspace->firstShow();
    return workspace;
}

void BM_OpenCatalog(benchmark::State& state)
{
    SilentDialogs dialogs;
    const auto workspace = startWorkspace(dialogs);
    for (auto _ : state) {
        openCatalogFile(*workspace, scratch().catalogPath());
        benchmark::DoNotOptimize(workspace->catalog().photos.data());
    }
    state.SetItemsProcessed(state.iterations() * kPhotos);
}

void BM_SaveCatalog(benchmark::State& state)
{
    SilentDialogs dialogs;
    const auto workspace = startWorkspace(dialogs);
    openCatalogFile(*workspace, scratch().catalogPath());
    int change = 0;
    for (auto _ : state) {
        // A changed caption makes every save rewrite the whole file.
        workspace->catalog().photos.front().storage.Caption = "Changed " + std::to_string(++change);
        saveCatalog(*workspace);
    }
    state.SetItemsProcessed(state.iterations() * kPhotos);
}

void BM_CloseCatalog(benchmark::State& state)
{
    SilentDialogs dialogs;
    const auto workspace = startWorkspace(dialogs);
    for (auto _ : state) {
        state.PauseTiming();
        openCatalogFile(*workspace, scratch().catalogPath());
        state.ResumeTiming();
        closeCatalog(*workspace);
    }
    state.SetItemsProcessed(state.iterations() * kPhotos);
}

// A step 1 page on the folder of 5,000 photos, with a catalog that holds none of them.
struct Step1Page {
    SilentDialogs dialogs{true};
    std::unique_ptr<Workspace> workspace = startWorkspace(dialogs);
    std::unique_ptr<Step1Presenter> presenter;

    Step1Page()
    {
        presenter = std::make_unique<Step1Presenter>(*workspace);
        presenter->setFolder(scratch().step1Folder());
    }
    void addFolder()
    {
        presenter->addAll();
        benchmark::DoNotOptimize(presenter->view());
    }
};

void BM_Step1AddFolder(benchmark::State& state)
{
    Step1Page page;
    for (auto _ : state) {
        state.PauseTiming();
        page.workspace->catalog().photos.clear();
        state.ResumeTiming();
        page.addFolder();
    }
    state.SetItemsProcessed(state.iterations() * kFolderPhotos);
}

void BM_Step1AddAllSelected(benchmark::State& state)
{
    Step1Page page;
    std::vector<std::size_t> all(kFolderPhotos);
    std::iota(all.begin(), all.end(), std::size_t{0});
    for (auto _ : state) {
        state.PauseTiming();
        page.workspace->catalog().photos.clear();
        state.ResumeTiming();
        page.presenter->selectFiles(all, 0);
        page.presenter->addSelected();
        benchmark::DoNotOptimize(page.presenter->view());
    }
    state.SetItemsProcessed(state.iterations() * kFolderPhotos);
}

void BM_Step1SortByDate(benchmark::State& state)
{
    Step1Page page;
    page.addFolder();
    bool newestFirst = false;
    for (auto _ : state) {
        // Each turn of the order moves every photo.
        newestFirst = !newestFirst;
        page.presenter->setNewestFirst(newestFirst);
        page.presenter->sortByDate();
        benchmark::DoNotOptimize(page.presenter->view());
    }
    state.SetItemsProcessed(state.iterations() * kFolderPhotos);
}

void BM_Step1SortByName(benchmark::State& state)
{
    Step1Page page;
    page.addFolder();
    for (auto _ : state) {
        state.PauseTiming();
        page.presenter->sortByDate();
        state.ResumeTiming();
        page.presenter->sortByName();
        benchmark::DoNotOptimize(page.presenter->view());
    }
    state.SetItemsProcessed(state.iterations() * kFolderPhotos);
}

void BM_Step1RemoveAll(benchmark::State& state)
{
    Step1Page page;
    for (auto _ : state) {
        state.PauseTiming();
        page.addFolder();
        state.ResumeTiming();
        page.presenter->removeAll();
        benchmark::DoNotOptimize(page.presenter->view());
    }
    state.SetItemsProcessed(state.iterations() * kFolderPhotos);
}

} // namespace

BENCHMARK(BM_OpenCatalog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveCatalog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CloseCatalog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Step1AddFolder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Step1AddAllSelected)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Step1SortByDate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Step1SortByName)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Step1RemoveAll)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
