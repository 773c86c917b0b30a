#include "generate/RenderRecord.h"

#include "support/TempDir.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace pictaven
{
namespace
{

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

class RenderRecordTest : public ::testing::Test
{
protected:
    // Renders "photo.jpg" from the source into the folder and records it.
    void render(const std::string& source)
    {
        RenderRecord record(m_output.str());
        const SourceState state = record.sourceState(source);
        writeFile(m_output / "photo.jpg", "rendered " + readFile(source));
        record.written("photo.jpg", source, state, "recipe");
        record.save();
    }

    // The record as a generation that began long after its source last changed writes it,
    // with or without the source's content digest.
    void ageRecord(bool keepDigest)
    {
        std::string text = readFile(m_output / RenderRecord::fileName);
        const auto checked = text.find("checked ");
        const auto end = text.find('\n', checked);
        const auto later = std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::chrono::system_clock::now().time_since_epoch() + std::chrono::hours(1))
                               .count();
        text.replace(checked, end - checked, "checked " + std::to_string(later));
        if (!keepDigest) {
            const auto tab = text.find('\t', text.find('\t', text.find('\t', end) + 1) + 1) + 1;
            text.replace(tab, text.find('\t', tab) - tab, "-");
        }
        writeFile(m_output / RenderRecord::fileName, text);
    }

    bool current(const std::string& source, const std::string& recipe = "recipe")
    {
        return RenderRecord(m_output.str()).current("photo.jpg", source, recipe);
    }

    TempDir m_photos;
    TempDir m_output;
};

TEST_F(RenderRecordTest, AFileIsCurrentWhileItsSourceRecipeAndItselfAreUnchanged)
{
    const std::string source = (m_photos / "a.jpg").string();
    writeFile(source, "pixels");
    render(source);
    EXPECT_TRUE(current(source));
    EXPECT_FALSE(current(source, "other recipe"));
    EXPECT_FALSE(current((m_photos / "b.jpg").string()));
    EXPECT_FALSE(RenderRecord(m_output.str()).current("other.jpg", source, "recipe"));

    writeFile(m_output / "photo.jpg", "rendered pixels"); // the same bytes, but another file
    EXPECT_FALSE(current(source));
}

TEST_F(RenderRecordTest, ASourceReplacedWithTheSameSizeAndTimeIsNoticed)
{
    // A record just written holds the source's digest; an old one may hold only its identity.
    for (const bool digest : { true, false }) {
        const std::string source = (m_photos / "a.jpg").string();
        writeFile(source, "pixels");
        render(source);
        ageRecord(digest);
        ASSERT_TRUE(current(source)) << digest;

        const fs::file_time_type time = fs::last_write_time(source);
        writeFile(source, "PIXELS");
        fs::last_write_time(source, time);
        EXPECT_FALSE(current(source)) << digest;
    }
}

TEST_F(RenderRecordTest, ATouchedSourceOfTheSameContentIsStillCurrentByItsDigest)
{
    const std::string source = (m_photos / "a.jpg").string();
    writeFile(source, "pixels");
    render(source);
    fs::last_write_time(source, fs::last_write_time(source) + std::chrono::hours(2));
    EXPECT_TRUE(current(source));
}

TEST_F(RenderRecordTest, ACheckedFileIsCarriedIntoTheNewRecordAndOthersAreDropped)
{
    const std::string source = (m_photos / "a.jpg").string();
    writeFile(source, "pixels");
    render(source);
    {
        RenderRecord record(m_output.str());
        EXPECT_FALSE(record.lists("photo.jpg"));
        EXPECT_TRUE(record.current("photo.jpg", source, "recipe"));
        EXPECT_TRUE(record.lists("photo.jpg"));
        record.save();
    }
    EXPECT_TRUE(current(source));
    RenderRecord(m_output.str()).save(); // checks nothing, so lists nothing
    EXPECT_FALSE(current(source));
}

TEST_F(RenderRecordTest, ARecordThatDoesNotReadBackAsWrittenProvesNothing)
{
    const std::string source = (m_photos / "a.jpg").string();
    writeFile(source, "pixels");
    render(source);
    const std::string good = readFile(m_output / RenderRecord::fileName);
    for (const std::string& bad :
        { good.substr(0, good.size() - 1), "Pictaven render record 0" + good.substr(good.find(' ', 25)),
            good.substr(0, good.find("folder ")) + "folder /elsewhere/"
                + good.substr(good.find('\n', good.find("folder "))) }) {
        writeFile(m_output / RenderRecord::fileName, bad);
        EXPECT_FALSE(current(source)) << bad;
    }
    writeFile(m_output / RenderRecord::fileName, good);
    EXPECT_TRUE(current(source));
}

} // namespace
} // namespace pictaven
