#include "ini/IniFile.h"

#include "ini/IoError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace pictaven {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

TEST(IniFileTest, EveryWriteReachesTheFileAtOnce)
{
    TempDir dir;
    const auto path = (dir / "album.cfg").string();
    IniFile ini(path);
    EXPECT_EQ(ini.readString("Catalog", "Last Catalog", "none"), "none");
    EXPECT_FALSE(std::filesystem::exists(path));

    ini.writeString("Catalog", "Last Catalog", "/home/me/a.cat");
    EXPECT_EQ(readFile(path), "[Catalog]\r\nLast Catalog=/home/me/a.cat\r\n\r\n");
    ini.writeBool("proxy", "Enable Proxy", true);
    ini.writeInteger("Proxy", "Proxy Port", 2121);
    EXPECT_EQ(readFile(path),
              "[Catalog]\r\nLast Catalog=/home/me/a.cat\r\n\r\n[proxy]\r\nEnable Proxy=1\r\nProxy Port=2121\r\n\r\n");

    const IniFile other(path);
    EXPECT_EQ(other.readString("CATALOG", "last catalog", ""), "/home/me/a.cat");
    EXPECT_TRUE(other.readBool("Proxy", "Enable Proxy", false));
    EXPECT_EQ(other.readInteger("Proxy", "Proxy Port", 21), 2121);

    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "album.cfg holds the proxy password";
}

TEST(IniFileTest, KeepsOtherLinesAndSkipsIdenticalWrites)
{
    TempDir dir;
    const auto path = dir / "album.cfg";
    writeFile(path, "[Proxy]\n;set by hand\nProxy Port=0x15\n");
    IniFile ini(path.string());
    EXPECT_EQ(ini.readInteger("Proxy", "Proxy Port", 0), 21);
    ini.writeString("Proxy", "Proxy Port", "0x15");
    EXPECT_EQ(readFile(path), "[Proxy]\n;set by hand\nProxy Port=0x15\n");
    ini.writeString("Proxy", "Proxy Name", "gate");
    EXPECT_EQ(readFile(path), "[Proxy]\r\n;set by hand\r\nProxy Port=0x15\r\nProxy Name=gate\r\n\r\n");
}

// The last catalog of a deep folder is kept whole; one whose path holds a line break cannot be
// kept at all, and the write says why instead of changing the file.
TEST(IniFileTest, LongPathsAreKeptAndLineBreaksRefusedWithTheReason)
{
    TempDir dir;
    const auto path = dir / "album.cfg";
    IniFile ini(path.string());
    const std::string deep = "/home/me/" + std::string(3000, 'f') + "/trip.CAT";
    ini.writeString("Catalog", "Last Catalog", deep);
    EXPECT_EQ(IniFile(path.string()).readString("Catalog", "Last Catalog", ""), deep);

    const std::string before = readFile(path);
    try {
        ini.writeString("Catalog", "Last Catalog", "/home/me/a\nb.CAT");
        ADD_FAILURE() << "a line break was stored";
    } catch (const IoError& error) {
        EXPECT_EQ(error.what(),
                  "Unable to write to " + path.string() + ": the value of \"Last Catalog\" holds a line break");
    }
    EXPECT_EQ(readFile(path), before);
}

TEST(IniFileTest, UnreadableFileGivesDefaultsAndRefusesWrites)
{
    TempDir dir;
    const auto path = dir / "album.cfg";
    std::filesystem::create_directory(path);
    IniFile ini(path.string());
    EXPECT_EQ(ini.readString("Proxy", "Proxy Name", "ProxyAddress"), "ProxyAddress");
    EXPECT_EQ(ini.readInteger("Proxy", "Proxy Port", 21), 21);
    try {
        ini.writeString("Catalog", "Last Catalog", "x");
        ADD_FAILURE() << "wrote over a folder";
    } catch (const IoError& error) {
        EXPECT_EQ(error.what(), "Unable to write to " + path.string());
    }

    IniFile nowhere((dir / "missing" / "album.cfg").string());
    EXPECT_THROW(nowhere.writeBool("Proxy", "Passive Mode", true), IoError);
}

} // namespace
} // namespace pictaven
