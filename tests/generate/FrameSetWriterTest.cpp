#include "generate/AlbumJob.h"
#include "generate/FrameSetWriter.h"
#include "generate/GenerationEvents.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace pictaven {
namespace {

class FrameSet : public ::testing::Test {
protected:
    FrameSet()
    {
        m_job.outputFolder = m_dir.str();
        m_job.albumTitle = "Summer";
        m_events.logMessage = [this](const std::string& message) { m_messages.push_back(message); };
    }

    std::string write(int width, int height)
    {
        EXPECT_TRUE(FrameSetWriter(m_job, m_events).createMultiPage(width, height, "jpg_first.htm"));
        return test::readFile(m_dir / "myalbum_frame.htm");
    }

    test::TempDir m_dir;
    AlbumJob m_job;
    GenerationEvents m_events;
    std::vector<std::string> m_messages;
};

TEST_F(FrameSet, WholePage)
{
    m_job.settings.Shadow = false;
    m_job.settings.GenerateMetaData = false;
    m_job.albumTitle = "Tom & Jerry";
    EXPECT_EQ(write(500, 400),
              "<!-- Generated with Pictaven - https://pictaven.example.org/ !-->\r\n\r\n"
              "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">"
              "\r\n<HTML>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
              "<TITLE>Tom &amp; Jerry</TITLE>\r\n\r\n"
              "<FRAMESET COLS=\"530,*\"  FRAMESPACING=0>\r\n"
              "<FRAME FRAMEBORDER=NO BORDER=0 ALIGN=\"CENTER\" NAME=\"AlbumFrame\" \r\n SRC=\"myalbum.htm\" "
              "SCROLLING=\"AUTO\" MARGINHEIGHT=0\r\n MARGINWIDTH=0 NORESIZE>\r\n"
              "<FRAME FRAMEBORDER=NO BORDER=0 ALIGN=\"CENTER\" NAME=\"ImageFrame\" \r\n src=\"jpg_first.htm\" "
              "SCROLLING=\"AUTO\" MARGINHEIGHT=0 MARGINWIDTH=0 NORESIZE>\r\n"
              "</FRAMESET>\r\n</HTML>\r\n");
    EXPECT_TRUE(m_messages.empty());
}

struct FrameSizeCase {
    const char* name;
    void (*configure)(AlbumJob&);
    const char* frameset;
};

class FrameSizes : public FrameSet, public ::testing::WithParamInterface<FrameSizeCase> { };

TEST_P(FrameSizes, FollowAlignmentShadowAndAlbumKind)
{
    m_job.settings.SpacingCols = 15;
    m_job.settings.SpacingRows = 10;
    m_job.settings.ThumbnailsPerRow = 4;
    m_job.settings.RowsPerPage = 3;
    GetParam().configure(m_job);
    EXPECT_NE(write(500, 400).find(GetParam().frameset), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrameSizes,
    ::testing::Values(
        FrameSizeCase{"basicNoShadow", [](AlbumJob& j) { j.settings.Shadow = false; },
                      "<FRAMESET COLS=\"530,*\"  FRAMESPACING=0>\r\n"},
        FrameSizeCase{"basicShadow", [](AlbumJob&) {}, "<FRAMESET COLS=\"578,*\"  FRAMESPACING=0>\r\n"},
        FrameSizeCase{"pictureAlbumIgnoresShadow", [](AlbumJob& j) { j.templateIndex = 2; },
                      "<FRAMESET COLS=\"530,*\"  FRAMESPACING=0>\r\n"},
        FrameSizeCase{"rowsBasicShadow", [](AlbumJob& j) { j.settings.FrameAlignment = 1; },
                      "<FRAMESET ROWS=\"502,*\"  FRAMESPACING=0>\r\n"},
        FrameSizeCase{"rowsBasicNoShadow",
                      [](AlbumJob& j) {
                          j.settings.FrameAlignment = 1;
                          j.settings.Shadow = false;
                      },
                      "<FRAMESET ROWS=\"470,*\"  FRAMESPACING=0>\r\n"},
        FrameSizeCase{"rowsWithoutNavigationAndTitle",
                      [](AlbumJob& j) {
                          j.settings.FrameAlignment = 1;
                          j.settings.Shadow = false;
                          j.settings.DisplayNavigationIndex = false;
                          j.albumTitle.clear();
                      },
                      "<FRAMESET ROWS=\"380,*\"  FRAMESPACING=0>\r\n"},
        FrameSizeCase{"rowsPictureAlbum",
                      [](AlbumJob& j) {
                          j.settings.FrameAlignment = 1;
                          j.templateIndex = 1;
                      },
                      "<FRAMESET ROWS=\"470,*\"  FRAMESPACING=0>\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameSet, MetaLinesComeBeforeTheDocumentType)
{
    const std::string page = write(10, 10);
    EXPECT_TRUE(page.starts_with("<!-- Generated with Pictaven - https://pictaven.example.org/ !-->\r\n\r\n"
                                 "<META name=\"description\" content=\"Pictaven - Generate photo albums for the web\">"
                                 "\r\n<META name=\"keywords\" content=\"software html internet photo album web ftp "
                                 "thumbnail catalog slideshow\">\r\n\r\n<!DOCTYPE"));
}

TEST_F(FrameSet, PageThatCannotBeCreatedIsReported)
{
    m_job.outputFolder = m_dir.str() + "gone/";
    EXPECT_FALSE(FrameSetWriter(m_job, m_events).createMultiPage(1, 1, "a.htm"));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "Error creating file on " + m_dir.str() +
                                 "gone/myalbum_frame.htm - write protected? (No such file or directory)");
}

} // namespace
} // namespace pictaven
