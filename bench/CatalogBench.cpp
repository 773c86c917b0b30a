// Opening, saving and closing a catalog of 10,000 photos, each with a caption, a web title and
// two description lines, on a workspace in a scratch program folder. The photo files exist
// (empty), so opening checks each of them as it would for a real album.

#include "app/Dialogs.h"
#include "session/CatalogCommands.h"
#include "session/Workspace.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

using namespace pictaven;

namespace {

namespace fs = std::filesystem;

constexpr int kPhotos = 10000;

// Answers every question with No and cancels every chooser, without a word.
class SilentDialogs : public Dialogs {
public:
    void showError(const std::string&) override {}
    void showWarning(const std::string&) override {}
    void showInformation(const std::string&) override {}
    bool askYesNo(const std::string&) override { return false; }
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
    void beep() override {}
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
    }
    ~Scratch()
    {
        std::error_code ignored;
        fs::remove_all(m_home, ignored);
    }

    const std::string& home() const { return m_home; }
    std::string catalogPath() const { return m_home + "Big.CAT"; }

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
        openTheCatalog(*workspace, scratch().catalogPath());
        benchmark::DoNotOptimize(workspace->catalog().photos.data());
    }
    state.SetItemsProcessed(state.iterations() * kPhotos);
}

void BM_SaveCatalog(benchmark::State& state)
{
    SilentDialogs dialogs;
    const auto workspace = startWorkspace(dialogs);
    openTheCatalog(*workspace, scratch().catalogPath());
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
        openTheCatalog(*workspace, scratch().catalogPath());
        state.ResumeTiming();
        closeCatalog(*workspace);
    }
    state.SetItemsProcessed(state.iterations() * kPhotos);
}

} // namespace

BENCHMARK(BM_OpenCatalog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveCatalog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CloseCatalog)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
