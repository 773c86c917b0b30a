#pragma once

#include "generate/GenerationOutcome.h"
#include "imaging/JpegCodec.h"
#include "session/JobRunner.h"
#include "session/Step4Presenter.h"
#include "session/WorkspaceFixture.h"

#include <filesystem>
#include <functional>
#include <utility>

namespace pictaven::test {

// Runs the work on the calling thread. Held, it keeps the job until release(), as a worker
// still busy with it would.
class ImmediateRunner : public JobRunner {
public:
    void run(std::function<void()> work, std::function<void()> done) override
    {
        ++runs;
        m_work = std::move(work);
        m_done = std::move(done);
        if (!hold)
            release();
    }
    void post(std::function<void()> task) override { task(); }
    void call(std::function<void()> task) override { task(); }

    void release()
    {
        std::function<void()> work = std::exchange(m_work, {});
        std::function<void()> done = std::exchange(m_done, {});
        work();
        done();
    }

    bool hold = false;
    int runs = 0;

private:
    std::function<void()> m_work;
    std::function<void()> m_done;
};

// A workspace with three small photos and an output folder, for the step 4 and 5 presenters.
class Step45Presenters : public WorkspaceFixture {
protected:
    void SetUp() override
    {
        Workspace& ws = workspace();
        std::filesystem::create_directories(m_home / "shots");
        for (const char* name : {"beach.jpg", "hill.jpg", "lake.jpg"}) {
            writeJpeg(Bitmap(40, 30), path(std::string("shots/") + name), 90);
            AlbumItem item;
            item.displayName = name;
            item.storage.SourcePath = item.storage.WorkingPath = path(std::string("shots/") + name);
            ws.catalog().photos.push_back(item);
        }
        ws.outputFolders().outputFolder = m_output.str();
        ws.generationFlags().rerenderPhotos = true;
        m_workspaceToken = ws.changes().subscribe([this] { ++m_workspaceChanges; });
    }

    void TearDown() override { workspace().changes().unsubscribe(m_workspaceToken); }

    void generateAlbum()
    {
        Step4Presenter step4(workspace(), m_runner, 1);
        step4.generate();
        ASSERT_EQ(step4.lastOutcome(), GenerationOutcome::Finished);
    }

    // The album as an upload sends it: with the navigation pictures that the program folder
    // ships and every album carries.
    void generateAlbumWithNavigationPictures()
    {
        std::filesystem::create_directories(m_home / "NAVBUTS");
        for (const char* name : {"home.gif", "first.gif", "prev.gif", "next.gif", "last.gif", "speaker.gif"})
            writeFile(m_home / "NAVBUTS" / name, std::string("GIF89a ") + name);
        generateAlbum();
    }

    TempDir m_output;
    ImmediateRunner m_runner;
    int m_workspaceChanges = 0;
    int m_workspaceToken = 0;
};

} // namespace pictaven::test
