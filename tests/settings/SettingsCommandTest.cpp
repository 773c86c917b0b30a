#include "settings/AlbumSettingsField.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace pictaven {
namespace {

using test::CliRun;
using test::readFile;
using test::TempDir;
using test::writeFile;

CliRun runCli(const TempDir& home, const std::vector<std::string>& args)
{
    return test::runCli(home.path(), home.str(), args);
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool hasLine(const std::string& text, const std::string& line)
{
    return text.starts_with(line + "\n") || text.find("\n" + line + "\n") != std::string::npos;
}

TEST(SettingsCommandTest, PrintsEveryFieldInTableOrder)
{
    TempDir home;
    writeFile(home / "Hand.CFG", "[Size]\r\nthumbwidth=0x64\r\n[Appearance]\r\nBgColor=$FF00\r\n"
                                 "AlbumTitleAlignment=7\r\nPageNumbers=2\r\nFontFamily=Times New Roman\r\n"
                                 "[appearance]\r\nFontFamily=Courier\r\nShadow=0\r\n");
    const CliRun run = runCli(home, {"settings", (home / "Hand.CFG").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");

    const auto lines = linesOf(run.out);
    const auto& fields = AlbumSettingsField::all();
    ASSERT_GE(lines.size(), fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(lines[i].substr(0, lines[i].find('=')), fields[i].name);

    for (const char* expected :
         {"ThumbWidth=100", "BgColor=65280", "AlbumTitleAlignment=2", "PageNumbers=0", "FontFamily=Times New Roman",
          "Shadow=1", "StyleTheme=-1", "DeleteFolder=1", "HomeButtonFrame=_self", "StyleSheetURL=",
          "GenerateMetaData=0", "LabelBgColor=16711680", "CatalogOffsets.Left=40", "NextButtonImage="})
        EXPECT_TRUE(hasLine(run.out, expected)) << expected;
    EXPECT_TRUE(hasLine(run.out, "OutputFolder=" + home.str() + "Projects"));
}

TEST(SettingsCommandTest, CatalogModeAppliesEveryKey)
{
    TempDir home;
    writeFile(home / "a.cat", "[Size]\nLeft=0x10\nRefresh Rate=3\n[Appearance]\nButtonType=4\nNewWindow1=2\n"
                              "PageNumbers=2\nStyleSheet=/css/a.css\n[Generate Options]\nStyleTheme=12\n");
    const CliRun run = runCli(home, {"settings", "--catalog", (home / "a.cat").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* expected : {"Left=40", "CatalogOffsets.Left=16", "RefreshRate=3", "ButtonType=4",
                                 "NewWindow1=1", "PageNumbers=0", "StyleTheme=-1", "DeleteFolder=0",
                                 "GenerateMetaData=1", "ExternalStyleSheet=/css/a.css"})
        EXPECT_TRUE(hasLine(run.out, expected)) << expected;
    EXPECT_TRUE(hasLine(run.out, "NextButtonImage=" + home.str() + "NAVBUTS/4Next.gif"));
    EXPECT_TRUE(hasLine(run.out, "HomeButtonImage=" + home.str() + "NAVBUTS/4Home.gif"));

    writeFile(home / "b.cat", "[Appearance]\nButtonType=12\n");
    const CliRun outOfRange = runCli(home, {"settings", (home / "b.cat").string(), "--catalog"});
    EXPECT_TRUE(hasLine(outOfRange.out, "ButtonType=-1"));
    EXPECT_TRUE(hasLine(outOfRange.out, "NextButtonImage="));
}

TEST(SettingsCommandTest, BadIntegerStopsWithTheMessage)
{
    TempDir home;
    writeFile(home / "bad.CFG", "[Size]\nThumbWidth=abc\n");
    const CliRun run = runCli(home, {"settings", (home / "bad.CFG").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "pictaven-cli settings: " + (home / "bad.CFG").string() + ": 'abc' is not a valid integer value\n");
}

TEST(SettingsCommandTest, MissingUnreadableAndBinaryFilesAreRefused)
{
    TempDir home;
    const CliRun missing = runCli(home, {"settings", (home / "none.CFG").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "pictaven-cli settings: " + (home / "none.CFG").string() + " does not exist\n");

    std::filesystem::create_directory(home / "folder.CFG");
    const CliRun folder = runCli(home, {"settings", (home / "folder.CFG").string()});
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.err.find("Unable to read " + (home / "folder.CFG").string()), std::string::npos) << folder.err;

    std::string bytes(300000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 2654435761u) >> 13);
    writeFile(home / "binary.CFG", bytes);
    const CliRun binary = runCli(home, {"settings", (home / "binary.CFG").string()});
    EXPECT_EQ(binary.status, 1);
    EXPECT_EQ(binary.out, "");
    EXPECT_NE(binary.err.find(" is not an album template"), std::string::npos) << binary.err;

    // A catalog's own keys are no template's: read as a template, it holds nothing.
    writeFile(home / "photos.CFG", "[Files]\r\nSource_File_1=/photos/a.jpg\r\n");
    EXPECT_EQ(runCli(home, {"settings", (home / "photos.CFG").string()}).status, 1);
    EXPECT_EQ(runCli(home, {"settings", "--catalog", (home / "photos.CFG").string()}).status, 0);

    const CliRun usage = runCli(home, {"settings"});
    EXPECT_EQ(usage.status, 1);
    EXPECT_NE(usage.err.find("usage: settings FILE [--catalog | --template]"), std::string::npos);
}

TEST(DefaultTemplateTest, ShippedFilesAreWhatTheProgramWrites)
{
    TempDir home;
    const auto written = home / "DEFAULT.CFG";
    const CliRun run = runCli(home, {"default-template", written.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string shipped = PICTAVEN_SOURCE_DATA_DIR "/ALBUMS/";
    EXPECT_EQ(readFile(shipped + "DEFAULT.CFG"), readFile(written))
        << "remove data/ALBUMS/DEFAULT.CFG, then run: pictaven-cli default-template "
           "data/ALBUMS/DEFAULT.CFG (and .DEF)";
    EXPECT_EQ(readFile(shipped + "DEFAULT.DEF"), readFile(written));

    // The basic template sets every key to its default, as a file without settings does.
    writeFile(home / "version.CFG", "[Program]\r\nVersion=3.03\r\n");
    const CliRun defaults = runCli(home, {"settings", "--catalog", (home / "version.CFG").string()});
    const CliRun basic = runCli(home, {"settings", "--catalog", written.string()});
    ASSERT_EQ(defaults.status, 0) << defaults.err;
    EXPECT_EQ(basic.out, defaults.out);
}

} // namespace
} // namespace pictaven
