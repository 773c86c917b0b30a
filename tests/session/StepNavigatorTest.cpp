#include "session/StepNavigator.h"

#include "WorkspaceFixture.h"

#include <utility>
#include <vector>

namespace pictaven {
namespace {

using test::ScriptedDialogs;
using Kind = ScriptedDialogs::Kind;
using Shown = std::vector<std::pair<Kind, std::string>>;

const std::string kNoPhotos = StepNavigator::noPhotosMessage;
const std::string kPhotoFolder = StepNavigator::outputIsPhotoFolderMessage;
const std::string kPhotoFolderPanel = StepNavigator::outputIsPhotoFolderPanelMessage;
const std::string kNoOutput = StepNavigator::noOutputFolderMessage;
const std::string kNotGenerated = StepNavigator::notGeneratedMessage;

class StepNavigatorTest : public test::WorkspaceFixture {
protected:
    StepNavigator& navigator()
    {
        if (!m_navigator)
            m_navigator = std::make_unique<StepNavigator>(workspace());
        return *m_navigator;
    }

    // What the dialogs showed since the last call, and forgets it.
    Shown takeShown()
    {
        Shown result;
        for (const ScriptedDialogs::Shown& entry : m_dialogs.shown)
            result.emplace_back(entry.kind, entry.text);
        m_dialogs.shown.clear();
        return result;
    }

    void addPhoto(const std::string& name)
    {
        FileStorage storage;
        storage.SourcePath = storage.WorkingPath = photo(name);
        workspace().catalog().photos.push_back({name, storage});
    }

    std::unique_ptr<StepNavigator> m_navigator;
};

TEST_F(StepNavigatorTest, StartsOnStepOneWithTheFirstShowGuards)
{
    EXPECT_EQ(navigator().currentStep(), 1);
    const StepGuards& guards = workspace().guards();
    EXPECT_FALSE(guards.photosSelected);
    EXPECT_TRUE(guards.settingsValid);
    EXPECT_FALSE(guards.outputFolderValid);
    EXPECT_FALSE(guards.albumGenerated);
}

// Each refusal beeps first, then shows its message; the step shown stays.
TEST_F(StepNavigatorTest, RefusalsBeepAndShowTheirMessage)
{
    struct Case {
        const char* what;
        StepGuards guards;
        int step;
        StepClick how;
        Shown expected;
    };
    const std::vector<Case> cases = {
        {"no photos, step 2", {false, true, false, false, false}, 2, StepClick::Panel,
         {{Kind::Beep, ""}, {Kind::Warning, kNoPhotos}}},
        {"no photos, step 5", {false, true, true, true, false}, 5, StepClick::Caption,
         {{Kind::Beep, ""}, {Kind::Warning, kNoPhotos}}},
        {"settings unusable, panel", {true, false, false, false, false}, 3, StepClick::Panel, {{Kind::Beep, ""}}},
        {"settings unusable, caption", {true, false, false, false, false}, 3, StepClick::Caption, {{Kind::Beep, ""}}},
        {"settings unusable, picture", {true, false, false, false, false}, 3, StepClick::Picture, {}},
        {"no output folder, step 4", {true, true, false, false, false}, 4, StepClick::Panel,
         {{Kind::Beep, ""}, {Kind::Error, kNoOutput}}},
        {"photo folder, step 4 caption", {true, true, false, false, true}, 4, StepClick::Caption,
         {{Kind::Beep, ""}, {Kind::Error, kPhotoFolder}}},
        {"photo folder, step 4 picture", {true, true, false, false, true}, 4, StepClick::Picture,
         {{Kind::Beep, ""}, {Kind::Error, kPhotoFolder}}},
        {"photo folder, step 4 panel", {true, true, false, false, true}, 4, StepClick::Panel,
         {{Kind::Beep, ""}, {Kind::Error, kPhotoFolderPanel}}},
        {"photo folder, step 5 panel", {true, true, false, true, true}, 5, StepClick::Panel,
         {{Kind::Beep, ""}, {Kind::Error, kPhotoFolder}}},
        {"no output folder, step 5", {true, true, false, true, false}, 5, StepClick::Picture,
         {{Kind::Beep, ""}, {Kind::Error, kNoOutput}}},
        {"not generated, step 5", {true, true, true, false, false}, 5, StepClick::Panel,
         {{Kind::Beep, ""}, {Kind::Warning, kNotGenerated}}},
    };
    for (const Case& c : cases) {
        workspace().guards() = c.guards;
        EXPECT_FALSE(navigator().selectStep(c.step, c.how)) << c.what;
        EXPECT_EQ(takeShown(), c.expected) << c.what;
        EXPECT_EQ(navigator().currentStep(), 1) << c.what;
        EXPECT_EQ(workspace().guards().outputFolderValid, c.guards.outputFolderValid) << c.what;
    }
}

TEST_F(StepNavigatorTest, EnteringStepsTwoAndThreeSetsTheirGuards)
{
    int told = 0;
    navigator().changed().subscribe([&told] { ++told; });
    StepGuards& guards = workspace().guards();
    guards = {true, false, false, false, true};
    EXPECT_TRUE(navigator().selectStep(2, StepClick::Picture));
    EXPECT_TRUE(guards.settingsValid);
    EXPECT_EQ(navigator().currentStep(), 2);
    EXPECT_EQ(told, 1);

    EXPECT_TRUE(navigator().selectStep(3, StepClick::Caption));
    EXPECT_FALSE(guards.outputFolderValid) << "the output folder is a photo's folder";
    guards.outputIsPhotoFolder = false;
    EXPECT_TRUE(navigator().selectStep(3, StepClick::Caption));
    EXPECT_TRUE(guards.outputFolderValid);
    EXPECT_EQ(told, 2) << "selecting the step shown again is no change";
    EXPECT_TRUE(takeShown().empty());
}

TEST_F(StepNavigatorTest, LeavingStepThreeRecomputesTheGuards)
{
    addPhoto("Photos/a.jpg");
    StepGuards& guards = workspace().guards();
    guards = {true, true, false, false, false};
    ASSERT_TRUE(navigator().selectStep(3, StepClick::Panel));

    // The list was emptied and a layout number made unusable while the page was shown.
    workspace().catalog().photos.clear();
    workspace().albumSettings().ThumbWidth = -1;
    guards.outputIsPhotoFolder = true;
    EXPECT_TRUE(navigator().selectStep(1, StepClick::Panel));
    EXPECT_FALSE(guards.photosSelected);
    EXPECT_FALSE(guards.settingsValid);
    EXPECT_FALSE(guards.outputFolderValid);

    addPhoto("Photos/a.jpg");
    workspace().albumSettings().ThumbWidth = 0;
    guards.outputIsPhotoFolder = false;
    navigator().leaveStep3();
    EXPECT_TRUE(guards.photosSelected);
    EXPECT_TRUE(guards.settingsValid);
    EXPECT_TRUE(guards.outputFolderValid);
}

// From start-up: steps 1 and 2 once photos are added, step 3 while the settings are usable, step
// 4 only after a visit of step 3, step 5 only after generation.
TEST_F(StepNavigatorTest, AWholeRoundFromStartUp)
{
    EXPECT_FALSE(navigator().selectStep(2, StepClick::Panel));
    addPhoto("Photos/a.jpg");
    workspace().guards().photosSelected = true;
    takeShown();
    EXPECT_FALSE(navigator().selectStep(4, StepClick::Caption));
    EXPECT_EQ(takeShown(), (Shown{{Kind::Beep, ""}, {Kind::Error, kNoOutput}}));
    EXPECT_TRUE(navigator().selectStep(2, StepClick::Caption));
    EXPECT_TRUE(navigator().selectStep(3, StepClick::Caption));
    EXPECT_TRUE(navigator().selectStep(4, StepClick::Caption));
    EXPECT_FALSE(navigator().selectStep(5, StepClick::Caption));
    EXPECT_EQ(takeShown(), (Shown{{Kind::Beep, ""}, {Kind::Warning, kNotGenerated}}));
    workspace().guards().albumGenerated = true;
    EXPECT_TRUE(navigator().selectStep(5, StepClick::Caption));

    // The JPEG compression changed on step 5: the album is outdated, step 4 is shown.
    navigator().returnToGenerateAfterChange();
    EXPECT_EQ(navigator().currentStep(), 4);
    EXPECT_FALSE(workspace().guards().albumGenerated);
    EXPECT_FALSE(navigator().selectStep(5, StepClick::Panel));
    EXPECT_EQ(takeShown(), (Shown{{Kind::Beep, ""}, {Kind::Warning, kNotGenerated}}));
    navigator().returnToGenerateAfterChange();
    EXPECT_EQ(navigator().currentStep(), 4) << "only step 5 moves";

    EXPECT_FALSE(navigator().selectStep(0, StepClick::Panel));
    EXPECT_FALSE(navigator().selectStep(6, StepClick::Panel));
    EXPECT_TRUE(takeShown().empty());
}

TEST_F(StepNavigatorTest, WhileAJobRunsOnlyTheStepShownIsSelected)
{
    addPhoto("Photos/a.jpg");
    workspace().guards() = {true, true, true, true, false};
    ASSERT_TRUE(navigator().selectStep(4, StepClick::Panel));
    workspace().setJobRunning(true);
    for (int step = 1; step <= 5; ++step) {
        EXPECT_EQ(navigator().selectStep(step, StepClick::Panel), step == 4) << step;
        const Shown expected = step == 4 ? Shown{} : Shown{{Kind::Beep, ""}};
        EXPECT_EQ(takeShown(), expected) << step;
        EXPECT_EQ(navigator().currentStep(), 4);
    }
    workspace().setJobRunning(false);
    EXPECT_TRUE(navigator().selectStep(5, StepClick::Panel));
}

TEST_F(StepNavigatorTest, CaptionsAndHelpLines)
{
    EXPECT_EQ(StepNavigator::caption(1), "1. Select Photos");
    EXPECT_EQ(StepNavigator::caption(5), "5. Upload");
    EXPECT_EQ(StepNavigator::helpLine(3), "Select the destination folder where the photo album is created");
    EXPECT_EQ(StepNavigator::caption(6), "");
    EXPECT_EQ(StepNavigator::helpLine(0), "");
}

} // namespace
} // namespace pictaven
