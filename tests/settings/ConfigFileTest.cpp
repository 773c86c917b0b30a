#include "settings/ConfigFile.h"

#include "ini/BigIniFile.h"
#include "ini/IntegerText.h"
#include "ini/IoError.h"
#include "settings/AlbumSettingsField.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>

namespace pictaven {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

// Every field moved away from its default, to see which fields a read touches.
AlbumSettings otherValues(const AlbumSettings& base)
{
    AlbumSettings settings = base;
    for (const AlbumSettingsField& field : AlbumSettingsField::all()) {
        std::visit(
            [&](auto pointer) {
                auto& value = settings.*pointer;
                using Value = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, bool>)
                    value = !value;
                else if constexpr (std::is_same_v<Value, std::int32_t>)
                    value += 7;
                else
                    value += "-other";
            },
            field.member);
    }
    settings.CatalogOffsets = { 1, 2, 3, 4 };
    settings.ExternalStyleSheet = "/old.css";
    settings.NextButtonImage = "old-next";
    return settings;
}

class ConfigFileTest : public ::testing::Test
{
protected:
    std::string programFolder() const { return m_dir.str(); }
    std::string write(const std::string& name, const std::string& content) const
    {
        writeFile(m_dir / name, content);
        return (m_dir / name).string();
    }
    void read(const std::string& path, ConfigMode mode)
    {
        readConfigFile(path, mode, programFolder(), m_settings, m_folders);
    }
    std::string value(const char* name) const
    {
        return AlbumSettingsField::byName(name).valueText(m_settings);
    }

    TempDir m_dir;
    AlbumSettings m_settings = AlbumSettings::startUpValues(m_dir.str());
    OutputFolderState m_folders { m_dir.str() + "Projects", m_dir.str() + "Projects/", {} };
};

TEST_F(ConfigFileTest, MissingTemplateResetsOnlyTheKeysOfBothModes)
{
    const AlbumSettings defaults = AlbumSettings::defaults(programFolder());
    m_settings = otherValues(m_settings);
    const AlbumSettings before = m_settings;
    read((m_dir / "ALBUMS" / "none.CFG").string(), ConfigMode::Template);
    for (const AlbumSettingsField& field : AlbumSettingsField::all()) {
        const AlbumSettings& expected = field.readIn == ReadIn::BothModes ? defaults : before;
        EXPECT_EQ(field.valueText(m_settings), field.valueText(expected)) << field.name;
    }
    EXPECT_EQ(m_settings.CatalogOffsets.Left, 1);
    EXPECT_EQ(m_settings.ExternalStyleSheet, "/old.css");
    EXPECT_EQ(m_folders.outputFolder, programFolder() + "Projects/");
}

TEST_F(ConfigFileTest, MissingCatalogResetsEveryKey)
{
    const AlbumSettings defaults = AlbumSettings::defaults(programFolder());
    m_settings = otherValues(m_settings);
    const AlbumSettings before = m_settings;
    read((m_dir / "none.cat").string(), ConfigMode::Catalog);
    for (const AlbumSettingsField& field : AlbumSettingsField::all()) {
        const bool offset = field.section == std::string("Size") && field.kind == FieldKind::Text
            && field.readIn == ReadIn::BothModes;
        EXPECT_EQ(field.valueText(m_settings), field.valueText(offset ? before : defaults)) << field.name;
    }
    EXPECT_EQ(m_settings.CatalogOffsets.Left, 40);
    EXPECT_EQ(m_settings.CatalogOffsets.Bottom, 40);
    EXPECT_EQ(m_settings.ExternalStyleSheet, "");
    EXPECT_EQ(m_settings.NextButtonImage, "old-next") << "ButtonType 0 leaves the pictures";
}

TEST_F(ConfigFileTest, HandMadeTemplate)
{
    const std::string path = write("Hand.CFG",
        "junk before any section\r\n"
        "[Size]\r\n"
        "thumbwidth=90\r\n"
        "THUMBHEIGHT=0x20\r\n"
        "Left=12px\r\n"
        "Refresh Rate=9\r\n"
        "[Appearance]\r\n"
        "PageNumbers=2\r\n"
        "NewWindow1=2\r\n"
        "BgColor=0x00FF00\r\n"
        "LabelBgColor=$FF\r\n"
        "AlbumTitleAlignment=7\r\n"
        "FrameAlignment=-5\r\n"
        "Style Sheet Type=-1\r\n"
        "TitleFontSize=big\r\n"
        "ButtonType=3\r\n"
        "FontFamily=Times New Roman\r\n"
        "CenterAlbum=-3\r\n"
        "[Position]\r\nBackTop=4\r\n"
        "[APPEARANCE]\r\nShadow=0\r\nFontFamily=Courier\r\n");
    read(path, ConfigMode::Template);
    EXPECT_EQ(m_settings.ThumbWidth, 90);
    EXPECT_EQ(m_settings.ThumbHeight, 32);
    EXPECT_EQ(m_settings.Left, "12px") << "number texts are kept as they stand";
    EXPECT_EQ(m_settings.RefreshRate, "5") << "catalog-only key";
    EXPECT_FALSE(m_settings.PageNumbers);
    EXPECT_TRUE(m_settings.NewWindow1) << "catalog-only key keeps its start value";
    EXPECT_EQ(m_settings.BgColor, 65280);
    EXPECT_EQ(m_settings.LabelBgColor, 255);
    EXPECT_EQ(m_settings.AlbumTitleAlignment, 2);
    EXPECT_EQ(m_settings.FrameAlignment, -1);
    EXPECT_EQ(m_settings.StyleSheetType, -1);
    EXPECT_EQ(m_settings.TitleFontSize, 18);
    EXPECT_EQ(m_settings.ButtonType, 0) << "catalog-only key";
    EXPECT_EQ(m_settings.NextButtonImage, "");
    EXPECT_EQ(m_settings.FontFamily, "Times New Roman");
    EXPECT_TRUE(m_settings.Shadow) << "the second [Appearance] is ignored";
    EXPECT_TRUE(m_settings.CenterAlbum);

    read(path, ConfigMode::Catalog);
    EXPECT_TRUE(m_settings.NewWindow1);
    EXPECT_EQ(m_settings.RefreshRate, "9");
    EXPECT_EQ(m_settings.ButtonType, 3);
    EXPECT_EQ(m_settings.NextButtonImage, programFolder() + "NAVBUTS/3Next.gif");
    EXPECT_EQ(m_settings.PrevButtonImage, programFolder() + "NAVBUTS/3Prev.gif");
    EXPECT_EQ(m_settings.IndexButtonImage, programFolder() + "NAVBUTS/3Index.gif");
    EXPECT_EQ(m_settings.HomeButtonImage, programFolder() + "NAVBUTS/3Home.gif");
    EXPECT_EQ(m_settings.Left, "12px") << "catalog mode keeps the template's offsets";
    EXPECT_EQ(m_settings.CatalogOffsets.Left, 40) << "12px is not a number";

    writeConfigFile(path, m_settings);
    const std::string written = readFile(path);
    EXPECT_NE(written.find("\r\nThumbWidth=90\r\n"), std::string::npos)
        << "key spelled as the table spells it";
    EXPECT_NE(written.find("\r\nPageNumbers=0\r\n"), std::string::npos);
    EXPECT_NE(written.find("\r\nNewWindow1=2\r\n"), std::string::npos) << "a catalog key is not written";
    EXPECT_NE(written.find("[Position]\r\nBackTop=4\r\n"), std::string::npos);
    EXPECT_EQ(written.find("Courier"), std::string::npos);
    EXPECT_EQ(written.find("junk"), std::string::npos);
}

struct IndexCase {
    const char* line;
    const char* field;
    std::int32_t expected;
};

class IndexClampTest : public ConfigFileTest, public ::testing::WithParamInterface<IndexCase>
{
};

TEST_P(IndexClampTest, ClampsAsTheListShowingItDoes)
{
    const std::string path = write("index.cat", std::string(GetParam().line) + "\r\n");
    read(path, ConfigMode::Catalog);
    EXPECT_EQ(value(GetParam().field), std::to_string(GetParam().expected)) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(Values, IndexClampTest,
    ::testing::Values(IndexCase { "[Appearance]\r\nAlbumTitleAlignment=7", "AlbumTitleAlignment", 2 },
        IndexCase { "[Appearance]\r\nWebTitleAlignment=-2", "WebTitleAlignment", -1 },
        IndexCase { "[Appearance]\r\nListboxAlignment=-1", "ListboxAlignment", -1 },
        IndexCase { "[Appearance]\r\nNavigationButtonsAlignment=1", "NavigationButtonsAlignment", 1 },
        IndexCase { "[Appearance]\r\nButtonType=12", "ButtonType", -1 },
        IndexCase { "[Appearance]\r\nButtonType=1", "ButtonType", 1 },
        IndexCase { "[Appearance]\r\nButtonType=9", "ButtonType", 9 },
        IndexCase { "[Appearance]\r\nButtonType=10", "ButtonType", 10 },
        IndexCase { "[Appearance]\r\nButtonType=-3", "ButtonType", -1 },
        IndexCase { "[Generate Options]\r\nStyleTheme=12", "StyleTheme", -1 },
        IndexCase { "[Generate Options]\r\nStyleTheme=11", "StyleTheme", 11 },
        IndexCase { "[FTP Appearance]\r\nResize Image Type=3", "ResizeImageType", 2 },
        IndexCase { "[FTP Appearance]\r\nWatermark Type=99", "WatermarkType", 2 },
        IndexCase { "[FTP Appearance]\r\nWatermark Orientation=4", "WatermarkOrientation", 3 },
        IndexCase { "[FTP Appearance]\r\nWatermark Orientation=-9", "WatermarkOrientation", -1 }));

class SizeRangeTest : public ConfigFileTest, public ::testing::WithParamInterface<IndexCase>
{
};

TEST_P(SizeRangeTest, SizesStayWithinWhatAPageCanShow)
{
    const std::string path = write("sizes.cat", std::string(GetParam().line) + "\r\n");
    for (const ConfigMode mode : { ConfigMode::Template, ConfigMode::Catalog }) {
        read(path, mode);
        EXPECT_EQ(value(GetParam().field), std::to_string(GetParam().expected)) << GetParam().line;
    }
}

INSTANTIATE_TEST_SUITE_P(Values, SizeRangeTest,
    ::testing::Values(IndexCase { "[Size]\r\nThumbnails Per Row=2147483647", "ThumbnailsPerRow", 100 },
        IndexCase { "[Size]\r\nThumbnails Per Row=100", "ThumbnailsPerRow", 100 },
        IndexCase { "[Size]\r\nRows Per Page=0", "RowsPerPage", 1 },
        IndexCase { "[Size]\r\nRows Per Page=0x7FFFFFFF", "RowsPerPage", 100 },
        IndexCase { "[Size]\r\nThumbWidth=2147483647", "ThumbWidth", 1000 },
        IndexCase { "[Size]\r\nThumbHeight=-2147483648", "ThumbHeight", 1 },
        IndexCase { "[Size]\r\nThumbHeight=1000", "ThumbHeight", 1000 },
        IndexCase { "[Size]\r\nSpacingRows=2147483647", "SpacingRows", 1000 },
        IndexCase { "[Size]\r\nSpacingCols=-1", "SpacingCols", 0 },
        IndexCase { "[Appearance]\r\nLabelHeight=2147483647", "LabelHeight", 1000 },
        IndexCase { "[Appearance]\r\nLabelHeight=0", "LabelHeight", 0 }));

TEST_F(ConfigFileTest, BorderOffsetsStayWithinTheLargestPicture)
{
    const std::string path = write("borders.cat",
        "[Size]\r\nLeft=2147483647\r\nRight=-2147483648\r\nTop=0x10\r\nBottom=99999999999\r\n");
    read(path, ConfigMode::Template);
    EXPECT_EQ(m_settings.Left, "30000");
    EXPECT_EQ(m_settings.Right, "0");
    EXPECT_EQ(m_settings.Top, "0x10") << "a number in range keeps its text";
    EXPECT_EQ(m_settings.Bottom, "99999999999") << "not a 32-bit number: refused where it is used";
    read(path, ConfigMode::Catalog);
    EXPECT_EQ(m_settings.CatalogOffsets.Left, 30000);
    EXPECT_EQ(m_settings.CatalogOffsets.Right, 0);
    EXPECT_EQ(m_settings.CatalogOffsets.Top, 16);
    EXPECT_EQ(m_settings.CatalogOffsets.Bottom, 40);
}

TEST_F(ConfigFileTest, ButtonPictures)
{
    read(write("ten.cat", "[Appearance]\r\nButtonType=10\r\n"), ConfigMode::Catalog);
    EXPECT_EQ(m_settings.NextButtonImage, programFolder() + "NAVBUTS/next.gif");
    EXPECT_EQ(m_settings.PrevButtonImage, programFolder() + "NAVBUTS/prev.gif");
    EXPECT_EQ(m_settings.IndexButtonImage, programFolder() + "NAVBUTS/index.gif");
    EXPECT_EQ(m_settings.HomeButtonImage, programFolder() + "NAVBUTS/home.gif");
    for (const char* unchanged : { "0", "12", "-1" }) {
        read(write("other.cat", "[Appearance]\r\nButtonType=" + std::string(unchanged) + "\r\n"),
            ConfigMode::Catalog);
        EXPECT_EQ(m_settings.NextButtonImage, programFolder() + "NAVBUTS/next.gif") << unchanged;
    }
    // The numbered sets at both ends of their range.
    for (const std::string set : { "1", "9" }) {
        read(write("set.cat", "[Appearance]\r\nButtonType=" + set + "\r\n"), ConfigMode::Catalog);
        EXPECT_EQ(m_settings.NextButtonImage, programFolder() + "NAVBUTS/" + set + "Next.gif");
        EXPECT_EQ(m_settings.PrevButtonImage, programFolder() + "NAVBUTS/" + set + "Prev.gif");
        EXPECT_EQ(m_settings.IndexButtonImage, programFolder() + "NAVBUTS/" + set + "Index.gif");
        EXPECT_EQ(m_settings.HomeButtonImage, programFolder() + "NAVBUTS/" + set + "Home.gif");
    }
}

struct StopCase {
    ConfigMode mode;
    const char* content;
    const char* message;
    std::vector<const char*> changed; // fields read before the bad key
    std::vector<const char*> unchanged; // the bad key and fields after it
};

class IntegerStopTest : public ConfigFileTest, public ::testing::WithParamInterface<StopCase>
{
};

TEST_P(IntegerStopTest, StopsAtTheBadKey)
{
    m_settings = otherValues(m_settings);
    const AlbumSettings before = m_settings;
    const AlbumSettings defaults = AlbumSettings::defaults(programFolder());
    try {
        read(write("bad.CFG", GetParam().content), GetParam().mode);
        ADD_FAILURE() << "the read did not stop";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
    for (const char* name : GetParam().changed)
        EXPECT_EQ(value(name), AlbumSettingsField::byName(name).valueText(defaults)) << name;
    for (const char* name : GetParam().unchanged)
        EXPECT_EQ(value(name), AlbumSettingsField::byName(name).valueText(before)) << name;
}

INSTANTIATE_TEST_SUITE_P(Keys, IntegerStopTest,
    ::testing::Values(
        StopCase { ConfigMode::Template, "[Size]\nThumbWidth=abc\n", "'abc' is not a valid integer value",
            { "Left", "Bottom" }, { "ThumbWidth", "ThumbHeight", "PageNumbers", "BgColor" } },
        StopCase { ConfigMode::Template, "[Size]\nSpacingCols=1.5\n", "'1.5' is not a valid integer value",
            { "ThumbWidth", "ThumbHeight", "SpacingRows" }, { "SpacingCols", "ThumbnailsPerRow" } },
        StopCase { ConfigMode::Template, "[Size]\nRows Per Page=\n", "'' is not a valid integer value",
            { "ThumbnailsPerRow" }, { "RowsPerPage", "PageNumbers" } },
        StopCase { ConfigMode::Catalog, "[FTP Appearance]\nCompression Ratio=high\n",
            "'high' is not a valid integer value", { "OutputFolder", "ResizePercentage", "CompressJPEG" },
            { "CompressionRatio", "SoftEdge", "WatermarkImage" } }));

TEST_F(ConfigFileTest, CompressionRatioIsNotReadFromTemplates)
{
    m_settings.CompressionRatio = 55;
    read(write("t.CFG", "[FTP Appearance]\nCompression Ratio=high\n"), ConfigMode::Template);
    EXPECT_EQ(m_settings.CompressionRatio, 55);
}

TEST_F(ConfigFileTest, CatalogModeFillsCatalogOffsetsAndTheStyleSheetInForce)
{
    m_settings.Left = "7";
    read(write("c.cat", "[Size]\nLeft=0x10\nRight= 5\nTop=x\n[Appearance]\nStyleSheet=/home/me/my.css\n"),
        ConfigMode::Catalog);
    EXPECT_EQ(m_settings.CatalogOffsets.Left, 16);
    EXPECT_EQ(m_settings.CatalogOffsets.Right, 5);
    EXPECT_EQ(m_settings.CatalogOffsets.Top, 40);
    EXPECT_EQ(m_settings.CatalogOffsets.Bottom, 40);
    EXPECT_EQ(m_settings.Left, "7");
    EXPECT_EQ(m_settings.ExternalStyleSheet, "/home/me/my.css");
}

TEST_F(ConfigFileTest, OutputFolderOfACatalog)
{
    int moves = 0;
    m_folders.onTreeMoved = [&] { ++moves; };
    const std::string projects = programFolder() + "Projects";
    const std::string elsewhere = (m_dir / "Wedding").string();
    std::filesystem::create_directory(elsewhere);

    read(write("a.cat", "[Generate Options]\nOutputFolder=" + elsewhere + "\n"), ConfigMode::Catalog);
    EXPECT_EQ(m_folders.treeFolder, elsewhere);
    EXPECT_EQ(m_folders.outputFolder, elsewhere + "/");
    EXPECT_EQ(m_settings.OutputFolder, elsewhere) << "the field holds the text as read";
    EXPECT_EQ(moves, 1);

    read(write("b.cat", "[Generate Options]\nOutputFolder=" + elsewhere + "/\n"), ConfigMode::Catalog);
    EXPECT_EQ(moves, 1) << "the tree already shows that folder";
    EXPECT_EQ(m_folders.outputFolder, elsewhere + "/");

    for (const std::string& gone : { programFolder() + "gone", std::string(), std::string("relative") }) {
        read(write("c.cat", "[Generate Options]\nOutputFolder=" + gone + "\n"), ConfigMode::Catalog);
        EXPECT_EQ(m_folders.treeFolder, projects) << gone;
        EXPECT_EQ(m_folders.outputFolder, projects + "/") << gone;
    }
    EXPECT_EQ(moves, 2) << "moving to the folder the tree shows is no move";

    read(write("d.cat", "[Size]\nLeft=1\n"), ConfigMode::Catalog);
    EXPECT_EQ(m_settings.OutputFolder, projects);
    EXPECT_EQ(m_folders.outputFolder, projects + "/");
}

std::vector<std::string> sectionsOf(const std::string& text)
{
    std::vector<std::string> sections;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end - start);
        if (!line.empty() && line.front() == '[')
            sections.push_back(line);
        start = end == std::string::npos ? text.size() : end + 2;
    }
    return sections;
}

TEST_F(ConfigFileTest, FreshFileCarriesEveryWrittenKeyInTheLayoutOrder)
{
    const std::string path = (m_dir / "fresh.CFG").string();
    m_settings = otherValues(m_settings);
    writeConfigFile(path, m_settings);
    const std::string text = readFile(path);
    EXPECT_EQ(sectionsOf(text),
        (std::vector<std::string> {
            "[Size]", "[Appearance]", "[Generate Options]", "[Program]", "[FTP Appearance]" }));
    EXPECT_NE(text.find("[Program]\r\nVersion=3.03\r\n\r\n"), std::string::npos);
    EXPECT_EQ(text.rfind("[Size]\r\nLeft=40-other\r\n", 0), 0u);

    const BigIniFile ini(path);
    for (const AlbumSettingsField& field : AlbumSettingsField::all()) {
        const std::string stored = ini.readString(field.section, field.key, "<absent>");
        if (field.writtenBy == WrittenBy::ConfigWriter)
            EXPECT_EQ(stored, field.valueText(m_settings)) << field.name;
        else
            EXPECT_EQ(stored, "<absent>") << field.name;
    }

    // What was written reads back the same, except the indexes that +7 pushed out of range and
    // the border offsets, which catalog mode reads into CatalogOffsets.
    AlbumSettings again = AlbumSettings::startUpValues(programFolder());
    readConfigFile(path, ConfigMode::Catalog, programFolder(), again, m_folders);
    const std::set<std::string> offsets { "Left", "Right", "Top", "Bottom" };
    for (const AlbumSettingsField& field : AlbumSettingsField::all()) {
        const bool index = field.kind == FieldKind::RadioIndex || field.kind == FieldKind::ListIndex;
        if (field.writtenBy == WrittenBy::ConfigWriter && !index && !offsets.contains(field.name)) {
            EXPECT_EQ(field.valueText(again), field.valueText(m_settings)) << field.name;
        }
    }
    EXPECT_EQ(again.CatalogOffsets.Left, 40) << "40-other is not a number";
}

TEST_F(ConfigFileTest, ExistingCatalogKeepsItsOwnSectionsAndKeys)
{
    const std::string catalog = "[Files]\r\nSource_File_1=/photos/a.jpg\r\n\r\n"
                                "[Appearance]\r\nHomeButtonEnable=1\r\nShadow=1\r\nHTMLLink=http://x\r\n\r\n"
                                "[Directories]\r\nSource=/photos\r\n\r\n"
                                "[Preferences]\r\nTemplate=Wedding\r\n\r\n"
                                "[Generate Options]\r\nAlbumShortName=party\r\n\r\n";
    const std::string path = write("party.cat", catalog);
    m_settings.Shadow = false;
    writeConfigFile(path, m_settings);
    const std::string text = readFile(path);
    EXPECT_EQ(
        text.rfind(
            "[Files]\r\nSource_File_1=/photos/a.jpg\r\n\r\n"
            "[Appearance]\r\nHomeButtonEnable=1\r\nShadow=0\r\nHTMLLink=http://x\r\nProtectImages=0\r\n",
            0),
        0u);
    EXPECT_NE(text.find("[Directories]\r\nSource=/photos\r\n\r\n[Preferences]\r\nTemplate=Wedding\r\n\r\n"
                        "[Generate Options]\r\nAlbumShortName=party\r\nStyleTheme=-1\r\n\r\n"),
        std::string::npos);
    EXPECT_EQ(sectionsOf(text),
        (std::vector<std::string> { "[Files]", "[Appearance]", "[Directories]", "[Preferences]",
            "[Generate Options]", "[Size]", "[Program]", "[FTP Appearance]" }));

    // Writing the same values again leaves the file alone.
    struct stat first {};
    ASSERT_EQ(::stat(path.c_str(), &first), 0);
    writeConfigFile(path, m_settings);
    struct stat second {};
    ASSERT_EQ(::stat(path.c_str(), &second), 0);
    EXPECT_EQ(first.st_ino, second.st_ino);
    EXPECT_EQ(readFile(path), text);
}

TEST_F(ConfigFileTest, WriteFailureReachesTheCaller)
{
    EXPECT_THROW(writeConfigFile((m_dir / "missing" / "x.CFG").string(), m_settings), IoError);
    std::filesystem::create_directory(m_dir / "folder.CFG");
    EXPECT_THROW(readConfigFile((m_dir / "folder.CFG").string(), ConfigMode::Template, programFolder(),
                     m_settings, m_folders),
        IoError);
}

TEST(AlbumSettingsFieldTest, NamesAndKeysAreUnique)
{
    std::set<std::string> names;
    std::set<std::string> keys;
    for (const AlbumSettingsField& field : AlbumSettingsField::all()) {
        EXPECT_TRUE(names.insert(field.name).second) << field.name;
        EXPECT_TRUE(keys.insert(field.key).second) << field.key;
        EXPECT_EQ(&AlbumSettingsField::byName(field.name), &field);
    }
    EXPECT_THROW(AlbumSettingsField::byName("NoSuchField"), std::logic_error);
}

} // namespace
} // namespace pictaven
