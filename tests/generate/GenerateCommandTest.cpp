#include "imaging/Bitmap.h"
#include "imaging/JpegCodec.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pictaven {
namespace {

namespace fs = std::filesystem;
using test::CliRun;
using test::readFile;
using test::runCli;
using test::TempDir;

class GenerateCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(m_work / "photos");
        for (int i = 0; i < 3; ++i) {
            Bitmap picture(80 + i, 60);
            picture.setPixel(i, i, Colour{200, 100, 50});
            writeJpeg(picture, (m_work / "photos" / ("shot" + std::to_string(i) + ".jpg")).string(), 90);
        }
        const CliRun made = run({"new-catalog", m_work.str() + "trip.CAT", "--photos", m_work.str() + "photos"});
        ASSERT_EQ(made.status, 0) << made.err;
    }

    CliRun run(const std::vector<std::string>& args) { return runCli(m_work.path(), m_work.str() + "home", args); }

    TempDir m_work;
};

TEST_F(GenerateCommand, GeneratesTheCatalogsAlbumIntoTheGivenFolder)
{
    const CliRun result = run({"generate", m_work.str() + "trip.CAT", "--output", m_work.str() + "album", "--jobs", "2"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("Rendering photo 3 of 3\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Progress: 100 %\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Finished generating photo album!\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Photo Album URL : " + m_work.str() + "album/myalbum.htm"), std::string::npos);
    for (const char* file : {"myalbum.htm", "shot0.jpg", "shot2.jpg", "jpg_shot1.htm", "thumb_jpg_shot2.jpg"})
        EXPECT_TRUE(fs::exists(m_work / "album" / file)) << file;
}

TEST_F(GenerateCommand, MissingPhotoFailsWithTheBoxOnStandardError)
{
    fs::remove(m_work / "photos" / "shot1.jpg");
    const CliRun result = run({"generate", m_work.str() + "trip.CAT", "--output", m_work.str() + "album"});
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.err.find("Some photos in the Catalog file no longer exist."), std::string::npos) << result.err;
    EXPECT_NE(result.out.find("Failure or User Cancellation occurred\n"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("Finished generating photo album!"), std::string::npos);
}

TEST_F(GenerateCommand, RefusesBadArguments)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"generate"}, {"generate", "a.CAT", "--jobs", "0"}, {"generate", "a.CAT", "--jobs"},
          {"generate", "a.CAT", "--colour"}}) {
        const CliRun result = run(args);
        EXPECT_NE(result.status, 0) << args.size();
        EXPECT_NE(result.err.find("pictaven-cli generate: "), std::string::npos) << result.err;
    }
}

} // namespace
} // namespace pictaven
