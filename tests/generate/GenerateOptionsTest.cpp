#include "generate/GenerateOptions.h"
#include "generate/GenerationFlags.h"
#include "settings/AlbumSettings.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

class GenerateOptions : public ::testing::Test {
protected:
    AlbumSettings m_settings;
    GenerationFlags m_flags;
};

TEST_F(GenerateOptions, NameAndPreviewOptionsAskForNewRenders)
{
    for (const GenerateOption option :
         {GenerateOption::Substitutions, GenerateOption::LowercaseFiles, GenerateOption::SneakPeek}) {
        for (const bool on : {true, false}) {
            m_flags.rerenderPhotos = false;
            clickGenerateOption(option, on, m_settings, m_flags);
            EXPECT_EQ(generateOption(option, m_settings, m_flags), on);
            EXPECT_TRUE(m_flags.rerenderPhotos);
        }
    }
}

TEST_F(GenerateOptions, OtherStoredOptionsLeaveRenderingAlone)
{
    for (const GenerateOption option :
         {GenerateOption::DeleteFolder, GenerateOption::CDROM, GenerateOption::MultiWindow}) {
        clickGenerateOption(option, true, m_settings, m_flags);
        EXPECT_TRUE(generateOption(option, m_settings, m_flags));
        clickGenerateOption(option, false, m_settings, m_flags);
        EXPECT_FALSE(generateOption(option, m_settings, m_flags));
        EXPECT_FALSE(m_flags.rerenderPhotos);
    }
}

TEST_F(GenerateOptions, SmartRenderOffKeepsRenderedPhotos)
{
    m_settings.DeleteFolder = true;
    m_flags.rerenderPhotos = true;
    clickGenerateOption(GenerateOption::SmartRender, false, m_settings, m_flags);
    EXPECT_FALSE(m_flags.smartRender);
    EXPECT_FALSE(m_flags.rerenderPhotos);
    EXPECT_FALSE(m_settings.DeleteFolder);
    EXPECT_FALSE(generateOptionEnabled(GenerateOption::DeleteFolder, m_flags));

    // The disabled box cannot be ticked.
    clickGenerateOption(GenerateOption::DeleteFolder, true, m_settings, m_flags);
    EXPECT_FALSE(m_settings.DeleteFolder);

    clickGenerateOption(GenerateOption::SmartRender, true, m_settings, m_flags);
    EXPECT_TRUE(m_flags.smartRender);
    EXPECT_TRUE(m_flags.rerenderPhotos);
    EXPECT_TRUE(generateOptionEnabled(GenerateOption::DeleteFolder, m_flags));
    EXPECT_FALSE(m_settings.DeleteFolder); // switching back on does not tick it again
}

} // namespace
} // namespace pictaven
