#include "app/ErrorLog.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

namespace pictaven {
namespace {

using test::readFile;
using test::ScriptedDialogs;
using test::TempDir;
using test::writeFile;
namespace fs = std::filesystem;

// The entry as it must stand in the file when written at one of the seconds in [before, after].
bool isEntryWrittenBetween(const std::string& entry, const std::string& text, std::time_t before, std::time_t after)
{
    for (std::time_t t = before; t <= after; ++t) {
        if (entry == errorLogTimestamp(t) + ">   " + text + "\r\n")
            return true;
    }
    return false;
}

TEST(ErrorLogTest, EntriesAreAppendedAfterWhatTheFileHeld)
{
    TempDir home;
    ScriptedDialogs dialogs;
    writeFile(home / "error.log", "earlier entry\r\n");
    const std::string first = "Error reading file /photos/a.jpg\r\n Not a JPEG file";
    const std::string second = "File /photos/b.jpg could not be deleted - Read-only?";

    const std::time_t before = std::time(nullptr);
    logMessage(dialogs, home.str(), first);
    const std::time_t middle = std::time(nullptr);
    logMessage(dialogs, home.str(), second);
    const std::time_t after = std::time(nullptr);

    EXPECT_EQ(dialogs.texts(ScriptedDialogs::Kind::Error), (std::vector<std::string>{first, second}));
    const std::string log = readFile(home / "error.log");
    const std::string held = "earlier entry\r\n";
    ASSERT_EQ(log.rfind(held, 0), 0u);
    // The first entry keeps the message's own line break and ends in exactly one CR LF.
    const std::size_t firstEnd = log.find("Not a JPEG file\r\n") + std::string("Not a JPEG file\r\n").size();
    ASSERT_NE(firstEnd, std::string::npos);
    EXPECT_TRUE(isEntryWrittenBetween(log.substr(held.size(), firstEnd - held.size()), first, before, middle))
        << log;
    EXPECT_TRUE(isEntryWrittenBetween(log.substr(firstEnd), second, middle, after)) << log;
}

TEST(ErrorLogTest, TimestampIsOneLineWithDateAndTime)
{
    const std::string stamp = errorLogTimestamp(86400 * 365);
    EXPECT_NE(stamp.find(' '), std::string::npos) << stamp;
    EXPECT_EQ(stamp.find_first_of("\r\n"), std::string::npos) << stamp;
    EXPECT_NE(stamp, errorLogTimestamp(86400 * 366)) << "the date is part of the text";
}

TEST(ErrorLogTest, UnopenableLogStillShowsTheBox)
{
    TempDir home;
    ScriptedDialogs dialogs;
    // A folder where the file should be cannot be opened for appending.
    fs::create_directory(home / "error.log");
    logMessage(dialogs, home.str(), "Error uploading file index.htm");
    EXPECT_EQ(dialogs.texts(ScriptedDialogs::Kind::Error), std::vector<std::string>{"Error uploading file index.htm"});
    EXPECT_TRUE(fs::is_directory(home / "error.log"));
}

} // namespace
} // namespace pictaven
