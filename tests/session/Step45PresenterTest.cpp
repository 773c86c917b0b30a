#include "session/RemoteSettingsPresenter.h"
#include "session/Step45Fixture.h"
#include "session/Step5Presenter.h"
#include "support/ScriptedFtpServer.h"

#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <vector>

namespace pictaven
{
namespace
{

namespace fs = std::filesystem;
using test::ScriptedDialogs;
using test::Step45Presenters;

const GenerateOptionRow& row(const Step4View& view, GenerateOption option)
{
    for (const GenerateOptionRow& row : view.options) {
        if (row.option == option)
            return row;
    }
    throw std::logic_error("no such option");
}

TEST_F(Step45Presenters, SmartRenderRulesTheDeleteFolderBox)
{
    Step4Presenter step4(workspace(), m_runner);
    ASSERT_TRUE(row(step4.view(), GenerateOption::DeleteFolder).checked);
    EXPECT_EQ(row(step4.view(), GenerateOption::SmartRender).caption,
        "Smart Render (If disabled then render one time only)");

    step4.clickOption(GenerateOption::SmartRender, false);
    Step4View view = step4.view();
    EXPECT_FALSE(row(view, GenerateOption::SmartRender).checked);
    EXPECT_FALSE(row(view, GenerateOption::DeleteFolder).checked);
    EXPECT_FALSE(row(view, GenerateOption::DeleteFolder).enabled);
    EXPECT_FALSE(workspace().generationFlags().rerenderPhotos);
    step4.clickOption(GenerateOption::DeleteFolder, true);
    EXPECT_FALSE(workspace().albumSettings().DeleteFolder);

    step4.clickOption(GenerateOption::SmartRender, true);
    view = step4.view();
    EXPECT_TRUE(row(view, GenerateOption::DeleteFolder).enabled);
    EXPECT_FALSE(row(view, GenerateOption::DeleteFolder).checked);
    EXPECT_TRUE(workspace().generationFlags().rerenderPhotos);
}

TEST_F(Step45Presenters, ADoubleClickOnGenerateStartsOneJobThatEndsInTheWorkspace)
{
    Step4Presenter step4(workspace(), m_runner, 1);
    int shown = 0;
    const int token = step4.changed().subscribe([&] { ++shown; });
    m_runner.hold = true;
    step4.generate();
    step4.generate();
    EXPECT_EQ(m_runner.runs, 1);
    EXPECT_TRUE(workspace().jobRunning());
    Step4View view = step4.view();
    EXPECT_TRUE(view.generating);
    EXPECT_FALSE(view.generateEnabled);
    EXPECT_FALSE(view.optionsEnabled);
    EXPECT_TRUE(view.cancelEnabled);
    // The job was copied out at the click: a change made now does not reach it.
    workspace().albumSettings().AlbumShortName = "other";

    m_runner.release();
    step4.changed().unsubscribe(token);
    EXPECT_EQ(step4.lastOutcome(), GenerationOutcome::Finished);
    EXPECT_FALSE(workspace().jobRunning());
    EXPECT_TRUE(workspace().guards().albumGenerated);
    EXPECT_FALSE(workspace().generationFlags().rerenderPhotos);
    EXPECT_EQ(workspace().generationFlags().indexPageList,
        std::vector<std::string> { m_output.str() + "myalbum.htm" });
    EXPECT_GE(m_workspaceChanges, 2);
    EXPECT_GT(shown, 3);
    view = step4.view();
    EXPECT_FALSE(view.generating);
    EXPECT_TRUE(view.generateEnabled && view.optionsEnabled);
    EXPECT_FALSE(view.cancelEnabled);
    EXPECT_EQ(view.status, "Finished generating photo album!");
    EXPECT_EQ(view.percentage, "100 %");
    EXPECT_EQ(view.viewHint, "Photo Album URL : " + m_output.str() + "myalbum.htm");
    for (const char* name : { "beach.jpg", "hill.jpg", "lake.jpg", "jpg_lake.htm", "thumb_jpg_lake.jpg" })
        EXPECT_TRUE(fs::exists(m_output / name)) << name;

    step4.enter();
    view = step4.view();
    EXPECT_EQ(view.progressPosition, view.progressMinimum);
    EXPECT_EQ(view.percentage, "0 %");
    EXPECT_EQ(view.status, "Generating Photo Album");
}

TEST_F(Step45Presenters, CancelEndsTheGenerationAtTheNextPhoto)
{
    Step4Presenter step4(workspace(), m_runner, 1);
    const int token = step4.changed().subscribe([&] {
        if (step4.view().status == "Rendering photo 1 of 3")
            step4.cancel();
    });
    step4.generate();
    step4.changed().unsubscribe(token);
    EXPECT_EQ(step4.lastOutcome(), GenerationOutcome::Cancelled);
    EXPECT_FALSE(workspace().jobRunning());
    EXPECT_FALSE(workspace().guards().albumGenerated);
    EXPECT_FALSE(fs::exists(m_output / "hill.jpg"));
    EXPECT_EQ(step4.view().status, "Failure or User Cancellation occurred");
    EXPECT_TRUE(step4.view().generateEnabled);
}

TEST_F(Step45Presenters, AGenerationThatCannotWriteEndsWithItsMessage)
{
    workspace().outputFolders().outputFolder = m_output.str() + "gone/";
    Step4Presenter step4(workspace(), m_runner, 1);
    step4.generate();
    EXPECT_EQ(step4.lastOutcome(), GenerationOutcome::Refused);
    ASSERT_EQ(m_dialogs.texts(ScriptedDialogs::Kind::Error).size(), 1u);
    EXPECT_NE(
        m_dialogs.texts(ScriptedDialogs::Kind::Error)[0].find(m_output.str() + "gone/"), std::string::npos);
    EXPECT_FALSE(workspace().jobRunning());
    EXPECT_TRUE(step4.view().generateEnabled && step4.view().optionsEnabled);
}

// Files may not grow past a few kilobytes while the album is written, as on a disk that has
// filled up: the generation ends with the reason, and the page can be used again.
TEST_F(Step45Presenters, AFullDiskEndsTheGenerationWithTheReason)
{
    Step4Presenter step4(workspace(), m_runner, 1);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit full = before;
    full.rlim_cur = 2048;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    step4.generate();
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &before), 0);

    EXPECT_EQ(step4.lastOutcome(), GenerationOutcome::Failed);
    const std::vector<std::string> errors = m_dialogs.texts(ScriptedDialogs::Kind::Error);
    ASSERT_FALSE(errors.empty());
    EXPECT_NE(errors.back().find(m_output.str() + "myalbum.htm"), std::string::npos) << errors.back();
    EXPECT_NE(errors.back().find("(File too large)"), std::string::npos) << errors.back();
    EXPECT_EQ(step4.view().status, "Failure or User Cancellation occurred");
    // The bar and the percentage beside it tell the same.
    const Step4View view = step4.view();
    ASSERT_GT(view.progressMaximum, view.progressMinimum);
    EXPECT_EQ(view.percentage,
        std::to_string((view.progressPosition - view.progressMinimum) * 100
            / (view.progressMaximum - view.progressMinimum))
            + " %");
    EXPECT_FALSE(workspace().jobRunning());
    EXPECT_FALSE(workspace().guards().albumGenerated);
    EXPECT_TRUE(step4.view().generateEnabled);
}

TEST_F(Step45Presenters, ViewPhotoAlbumOpensTheEntryPageOnceItExists)
{
    Step4Presenter step4(workspace(), m_runner, 1);
    EXPECT_EQ(step4.viewAlbum(), std::nullopt);
    EXPECT_EQ(m_dialogs.texts(ScriptedDialogs::Kind::Information),
        std::vector<std::string> { "You must first generate the photo album" });

    step4.generate();
    EXPECT_EQ(step4.viewAlbum(), m_output.str() + "myalbum.htm");
    step4.clickOption(GenerateOption::MultiWindow, true);
    EXPECT_EQ(step4.viewAlbum(), m_output.str() + "myalbum_frame.htm");
    EXPECT_EQ(m_dialogs.texts(ScriptedDialogs::Kind::Information).size(), 1u);
}

TEST_F(Step45Presenters, StepFiveShowsAndKeepsTheUploadSettings)
{
    Workspace& ws = workspace();
    ws.ftpProfile().ftp = "ftp.example.org";
    ws.ftpProfile().ftpHomeDirectory = "/site/";
    Step5Presenter step5(ws, m_runner);
    Step5View view = step5.view();
    EXPECT_EQ(view.uploadDirectory, "MyAlbum");
    EXPECT_TRUE(view.passiveMode && view.overwritePhotos && view.uploadAudio);
    EXPECT_TRUE(view.uploadEnabled);
    EXPECT_FALSE(view.cancelEnabled);
    EXPECT_FALSE(view.logShown);
    EXPECT_EQ(view.logButtonCaption, "Show FTP Window");

    step5.setUploadDirectory("my trip\\2024");
    step5.setPassiveMode(false);
    step5.toggleLog();
    view = step5.view();
    EXPECT_EQ(view.uploadDirectory, "mytrip2024");
    EXPECT_EQ(ws.albumSettings().UploadDirectory, "mytrip2024");
    EXPECT_EQ(view.location, "ftp.example.org/site/  ...  /mytrip2024");
    EXPECT_FALSE(ws.albumSettings().PassiveMode);

    // The Remote Settings window's OK writes the initial directory its own way, until step 5 is
    // shown again or its directory typed in.
    for (const auto& undo : std::vector<std::function<void()>> {
             [&] { step5.pageShown(); }, [&] { step5.setUploadDirectory("mytrip2024"); } }) {
        RemoteSettingsPresenter remote(ws);
        ASSERT_TRUE(remote.accept());
        EXPECT_EQ(step5.view().location, "ftp.example.org/site/.../mytrip2024");
        undo();
        EXPECT_EQ(step5.view().location, "ftp.example.org/site/  ...  /mytrip2024");
    }
    EXPECT_TRUE(view.logShown);
    EXPECT_EQ(view.logButtonCaption, "Hide FTP Window");
}

TEST_F(Step45Presenters, ViewRemotelyNeedsTheWebAddress)
{
    Workspace& ws = workspace();
    Step5Presenter step5(ws, m_runner);
    ws.ftpProfile().www.clear();
    EXPECT_EQ(step5.viewRemotely(), std::nullopt);
    EXPECT_EQ(m_dialogs.texts(ScriptedDialogs::Kind::Warning),
        std::vector<std::string> { "You must first define your Web Server Address in your FTP profile" });

    ws.ftpProfile().www = "www.example.org/";
    ws.ftpProfile().httpHomeDirectory = "/~me";
    ws.albumSettings().MultiWindow = true;
    EXPECT_EQ(step5.viewRemotely(), "http://www.example.org/~me/MyAlbum/myalbum_frame.htm");
}

// The server goes away in the middle of the first page it is sent: the upload ends with the
// reason, the window can go on, and Cancel makes Upload usable again.
TEST_F(Step45Presenters, AServerThatDropsTheConnectionEndsTheUploadWithTheReason)
{
    generateAlbum();
    test::ScriptedFtpServer server([](test::ScriptedFtpConnection& c) {
        c.reply("220 ready");
        c.serve([&c](const std::string& command) {
            if (command.rfind("STOR ", 0) != 0)
                return false;
            c.reply("150 go");
            c.acceptData();
            c.closeData();
            c.closeControl();
            throw std::runtime_error("closed on purpose");
        });
    });
    Workspace& ws = workspace();
    ws.ftpProfile().ftp = server.hostPort();
    ws.ftpProfile().user = "alice";
    ws.ftpProfile().password = "secret";
    ws.ftpProfile().ftpHomeDirectory = "/";
    Step5Presenter step5(ws, m_runner);
    step5.session().setTimeouts(2000, 2000);
    m_dialogs.shown.clear();
    step5.upload();
    EXPECT_EQ(server.finish(), "closed on purpose");

    const std::vector<std::string> errors = m_dialogs.texts(ScriptedDialogs::Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("Error uploading file myalbum.htm\r\n", 0), 0u) << errors[0];
    EXPECT_FALSE(ws.jobRunning());
    Step5View view = step5.view();
    EXPECT_FALSE(view.uploadEnabled);
    EXPECT_TRUE(view.cancelEnabled);
    EXPECT_FALSE(view.log.empty());

    step5.cancel();
    view = step5.view();
    EXPECT_TRUE(view.uploadEnabled);
    EXPECT_EQ(view.status, "Aborted FTP");
}

} // namespace
} // namespace pictaven
