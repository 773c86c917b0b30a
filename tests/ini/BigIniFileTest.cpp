#include "ini/BigIniFile.h"

#include "ini/IoError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sys/stat.h>
#include <unistd.h>

namespace pictaven {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

ino_t inodeOf(const std::filesystem::path& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_ino;
}

mode_t permissionsOf(const std::filesystem::path& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

TEST(BigIniFileTest, DuplicateSectionsFoldToTheFirst)
{
    TempDir dir;
    const auto path = dir / "dup.cfg";
    writeFile(path, "[Appearance]\r\nShadow=1\r\n[Size]\r\nLeft=40\r\n[APPEARANCE]\r\nShadow=0\r\nLabel=0\r\n");
    BigIniFile ini(path);
    EXPECT_EQ(ini.readString("Appearance", "Shadow", "x"), "1");
    EXPECT_EQ(ini.readString("appearance", "Label", "absent"), "absent");
    ini.writeString("Size", "Right", "40");
    ini.flushFile();
    EXPECT_EQ(readFile(path), "[Appearance]\r\nShadow=1\r\n\r\n[Size]\r\nLeft=40\r\nRight=40\r\n\r\n");
}

TEST(BigIniFileTest, RewriteDropsStrayAndEmptyLinesAndKeepsComments)
{
    TempDir dir;
    const auto path = dir / "layout.cfg";
    writeFile(path, "stray=1\n; header comment\n\n[A]\n;note\n\nk=1\nno equals sign\n\x1A\n[Empty]\n\n[B]\rx=2\r\n"
                    "\x1A");
    BigIniFile ini(path);
    EXPECT_EQ(ini.readString("A", "stray", "none"), "none");
    ini.writeString("A", "k", "2");
    ini.writeString("B", "y", "3");
    EXPECT_TRUE(ini.changed());
    ini.flushFile();
    EXPECT_FALSE(ini.changed());
    EXPECT_EQ(readFile(path), "[A]\r\n;note\r\nk=2\r\nno equals sign\r\n\r\n[B]\r\nx=2\r\ny=3\r\n\r\n");
}

TEST(BigIniFileTest, ByteOrderMarkDoesNotHideTheFirstSection)
{
    TempDir dir;
    const auto path = dir / "bom.cfg";
    writeFile(path, "\xEF\xBB\xBF[Size]\r\nLeft=5\r\n");
    const BigIniFile ini(path);
    EXPECT_EQ(ini.readString("Size", "Left", ""), "5");
}

TEST(BigIniFileTest, KeysMatchWithoutCaseAndWithoutTrimming)
{
    TempDir dir;
    const auto path = dir / "keys.cfg";
    writeFile(path, "[Size]\r\nKey =1\r\nthumbwidth=90\r\nthumbwidth=91\r\nEmpty=\r\n;Key=5\r\n");
    BigIniFile ini(path);
    EXPECT_EQ(ini.readString("Size", "Key", "default"), "default");
    EXPECT_EQ(ini.readString("Size", "Key ", "default"), "1");
    EXPECT_EQ(ini.readString("SIZE", "ThumbWidth", "80"), "90");
    EXPECT_EQ(ini.readString("Size", "Empty", "default"), "");
    EXPECT_EQ(ini.readString("Other", "Key ", "default"), "default");

    ini.writeString("Size", "ThumbWidth", "90");
    EXPECT_TRUE(ini.changed()) << "the spelling of the key differs";
    ini.flushFile();
    EXPECT_EQ(readFile(path), "[Size]\r\nKey =1\r\nThumbWidth=90\r\nthumbwidth=91\r\nEmpty=\r\n;Key=5\r\n\r\n");
}

TEST(BigIniFileTest, IdenticalWriteLeavesTheFileAlone)
{
    TempDir dir;
    const auto path = dir / "same.cfg";
    writeFile(path, "[S]\nA=1\n");
    const ino_t before = inodeOf(path);
    BigIniFile ini(path);
    ini.writeString("S", "A", "1");
    ini.writeInteger("s", "A", 1);
    EXPECT_FALSE(ini.changed());
    ini.flushFile();
    EXPECT_EQ(readFile(path), "[S]\nA=1\n");
    EXPECT_EQ(inodeOf(path), before);
}

struct Tail {
    std::string bytes;
};

void PrintTo(const Tail& tail, std::ostream* out)
{
    *out << tail.bytes.size() << " bytes from " << ::testing::PrintToString(tail.bytes.substr(0, 12));
}

class LongLineTest : public ::testing::TestWithParam<Tail> {};

// Lines longer than 255 bytes, such as the paths of deep folders, are read and written whole,
// whatever bytes stand where the old limit would have cut.
TEST_P(LongLineTest, IsKeptWhole)
{
    TempDir dir;
    const auto path = dir / "long.cfg";
    const std::string value = std::string(251, 'p') + GetParam().bytes;
    writeFile(path, "[S]\r\nK=" + value + "\r\n");
    BigIniFile ini(path);
    EXPECT_EQ(ini.readString("S", "K", ""), value);
    ini.writeString("S", "W", value);
    EXPECT_EQ(ini.readString("S", "W", ""), value);
    ini.flushFile();
    EXPECT_EQ(readFile(path), "[S]\r\nK=" + value + "\r\nW=" + value + "\r\n\r\n");
    const BigIniFile again(path);
    EXPECT_EQ(again.readString("S", "W", ""), value);
}

TEST(BigIniFileTest, IntegersAndFlags)
{
    TempDir dir;
    const auto path = dir / "numbers.cfg";
    writeFile(path, "[N]\nHex=0x1F\nDollar=$1F\nBlank= 12\nUnit=12px\nEmpty=\nFlag=2\nZero=0\nNeg=-3\n");
    const BigIniFile ini(path);
    EXPECT_EQ(ini.readInteger("N", "Hex", -1), 31);
    EXPECT_EQ(ini.readInteger("N", "Dollar", -1), 31);
    EXPECT_EQ(ini.readInteger("N", "Blank", -1), 12);
    EXPECT_EQ(ini.readInteger("N", "Unit", -1), -1);
    EXPECT_EQ(ini.readInteger("N", "Empty", -1), -1);
    EXPECT_EQ(ini.readInteger("N", "Missing", 7), 7);
    EXPECT_EQ(ini.readInteger("N", "Neg", 0), -3);
    EXPECT_TRUE(ini.readBool("N", "Flag", false));
    EXPECT_FALSE(ini.readBool("N", "Zero", true));
    EXPECT_TRUE(ini.readBool("N", "Unit", true));
    EXPECT_FALSE(ini.readBool("Gone", "Flag", false));
}

TEST(BigIniFileTest, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEnd)
{
    TempDir dir;
    const auto path = dir / "append.cfg";
    writeFile(path, "[A]\r\nx=1\r\n;tail\r\n\r\n[B]\r\ny=2\r\n");
    BigIniFile ini(path);
    ini.writeString("a", "z", "3");
    ini.writeBool("C", "on", true);
    ini.writeBool("C", "off", false);
    ini.writeInteger("C", "n", -5);
    ini.flushFile();
    EXPECT_EQ(readFile(path), "[A]\r\nx=1\r\n;tail\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\non=1\r\noff=0\r\nn=-5\r\n\r\n");
}

TEST(BigIniFileTest, EraseSection)
{
    TempDir dir;
    const auto path = dir / "erase.cfg";
    writeFile(path, "[A]\nx=1\n[B]\ny=2\n[C]\nz=3\nold=1\n[D]\nw=4\n");
    BigIniFile ini(path);
    ini.eraseSection("Missing");
    ini.clearSection("Missing");
    EXPECT_FALSE(ini.changed());
    EXPECT_EQ(ini.readString("C", "z", ""), "3");
    ini.eraseSection("b");
    EXPECT_TRUE(ini.changed());
    EXPECT_EQ(ini.readString("B", "y", "gone"), "gone");
    EXPECT_EQ(ini.readString("C", "z", ""), "3");
    ini.writeString("A", "", "ignored");
    EXPECT_EQ(ini.readString("A", "x", "gone"), "gone");
    // A cleared section is written again where it stood.
    ini.clearSection("c");
    EXPECT_EQ(ini.readString("C", "old", "gone"), "gone");
    ini.writeString("C", "z", "5");
    ini.flushFile();
    EXPECT_EQ(readFile(path), "[C]\r\nz=5\r\n\r\n[D]\r\nw=4\r\n\r\n");
}

TEST(BigIniFileTest, ReadsFindSectionsInAnyOrder)
{
    TempDir dir;
    const auto path = dir / "order.cfg";
    std::string content;
    for (int i = 0; i < 20; ++i)
        content += "[S" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\n";
    writeFile(path, content);
    const BigIniFile ini(path);
    for (int i : {19, 0, 7, 7, 3, 18, 1, 19})
        EXPECT_EQ(ini.readInteger("s" + std::to_string(i), "K", -1), i);
}

// A line break would end the line early and could forge a line or a section of its own, and a
// key holding "=" or starting with "[" would read back as another key or a section: such an
// entry is refused whole, never changed into something that can be written.
TEST(BigIniFileTest, EntriesThatCannotBeReadBackAreRefused)
{
    TempDir dir;
    const auto path = dir / "inject.cfg";
    writeFile(path, "[S]\r\nCaption=old\r\n");
    const struct {
        std::string section, key, value, reason;
    } cases[] = {
        {"S", "Caption", "a\r\n[Evil]\nx=1", "the value of \"Caption\" holds a line break"},
        {"S", "New", "ends in a line feed\n", "the value of \"New\" holds a line break"},
        {"S", "New", "\r", "the value of \"New\" holds a line break"},
        {"S", "a=b", "1", "the key \"a=b\" holds \"=\""},
        {"S", "[x", "y]", "the key \"[x\" starts with \"[\""},
        {"S", "two\nlines", "1", "the key \"two\\nlines\" holds a line break"},
        {"A\r\nB", "k", "1", "the section name \"A\\r\\nB\" holds a line break"},
    };
    BigIniFile ini(path);
    for (const auto& c : cases) {
        try {
            ini.writeString(c.section, c.key, c.value);
            ADD_FAILURE() << "stored " << c.reason;
        } catch (const IoError& error) {
            EXPECT_EQ(error.what(), "Unable to write to " + path.string() + ": " + c.reason);
        }
    }
    EXPECT_FALSE(ini.changed());
    EXPECT_EQ(ini.readString("S", "Caption", ""), "old");
    EXPECT_EQ(ini.readString("S", "New", "none"), "none");
    ini.writeString("S", "Caption", "new");
    ini.flushFile();
    EXPECT_EQ(readFile(path), "[S]\r\nCaption=new\r\n\r\n");
}

TEST(BigIniFileTest, MissingFileGivesAnEmptyStoreAndIsCreatedOnFlush)
{
    TempDir dir;
    const auto path = dir / "new.cfg";
    BigIniFile ini(path);
    EXPECT_EQ(ini.readString("S", "k", "default"), "default");
    ini.flushFile();
    EXPECT_FALSE(std::filesystem::exists(path)) << "nothing changed, nothing written";
    ini.writeString("S", "k", "v");
    ini.flushFile();
    EXPECT_EQ(readFile(path), "[S]\r\nk=v\r\n\r\n");

    const BigIniFile inMissingFolder(dir / "no" / "such.cfg");
    EXPECT_EQ(inMissingFolder.readString("S", "k", "default"), "default");
}

TEST(BigIniFileTest, PermissionsOfNewAndExistingFiles)
{
    TempDir dir;
    const mode_t mask = ::umask(022);
    BigIniFile shared(dir / "shared.cfg");
    shared.writeString("S", "k", "v");
    shared.flushFile();
    BigIniFile secret(dir / "secret.prf", NewFileAccess::OwnerOnly);
    secret.writeString("S", "Password", "x");
    secret.flushFile();
    ::umask(mask);
    EXPECT_EQ(permissionsOf(dir / "shared.cfg"), 0644u);
    EXPECT_EQ(permissionsOf(dir / "secret.prf"), 0600u);

    const auto existing = dir / "existing.cfg";
    writeFile(existing, "[S]\nk=1\n");
    ::chmod(existing.c_str(), 0640);
    BigIniFile ini(existing, NewFileAccess::OwnerOnly);
    ini.writeString("S", "k", "2");
    ini.flushFile();
    EXPECT_EQ(permissionsOf(existing), 0640u);
}

TEST(BigIniFileTest, FollowsASymbolicLink)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "real");
    writeFile(dir / "real" / "album.cfg", "[S]\nk=1\n");
    std::filesystem::create_symlink("real/album.cfg", dir / "link.cfg");
    BigIniFile ini(dir / "link.cfg");
    ini.writeString("S", "k", "2");
    ini.flushFile();
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.cfg"));
    EXPECT_EQ(readFile(dir / "real" / "album.cfg"), "[S]\r\nk=2\r\n\r\n");
}

TEST(BigIniFileTest, UnreadablePathsRaiseIoError)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "folder.cfg");
    try {
        BigIniFile ini(dir / "folder.cfg");
        ADD_FAILURE() << "a folder was read as a file";
    } catch (const IoError& error) {
        EXPECT_EQ(error.what(), "Unable to read " + (dir / "folder.cfg").string() + ": Is a directory");
    }

    // A named pipe with no writer would block a plain open for ever.
    const auto pipe = dir / "pipe.cfg";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_THROW(BigIniFile{pipe}, IoError);
}

TEST(BigIniFileTest, FailedRewriteReportsTheReasonAndLeavesNoTrace)
{
    TempDir dir;
    const auto path = dir / "album.cat";
    writeFile(path, "[S]\nk=1\n");
    BigIniFile ini(path);
    ini.writeString("S", "k", "2");

    // The path turns into a folder with content, which no rename can replace.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    writeFile(path / "keep", "x");
    try {
        ini.flushFile();
        ADD_FAILURE() << "the rewrite succeeded";
    } catch (const IoError& error) {
        const std::string text = error.what();
        EXPECT_EQ(text.rfind("Unable to write to " + path.string() + ": ", 0), 0u) << text;
        EXPECT_GT(text.size(), ("Unable to write to " + path.string() + ": ").size());
    }
    EXPECT_TRUE(ini.changed());
    EXPECT_EQ(readFile(path / "keep"), "x");
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1u) << "a temporary file was left behind";

    BigIniFile nowhere(dir / "missing" / "x.cfg");
    nowhere.writeString("S", "k", "v");
    try {
        nowhere.flushFile();
        ADD_FAILURE() << "wrote into a missing folder";
    } catch (const IoError& error) {
        EXPECT_EQ(error.what(), "Unable to write to " + (dir / "missing" / "x.cfg").string()
                                    + ": No such file or directory");
    }
}

// Deterministic bytes of every value, with line breaks and brackets among them.
std::string noise(std::size_t size, std::uint32_t seed)
{
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }
    return bytes;
}

TEST(BigIniFileTest, BinaryFileLoadsAndRoundTrips)
{
    TempDir dir;
    const auto path = dir / "binary.cfg";
    writeFile(path, noise(200000, 7) + "\n[Known]\nkey=value\n" + noise(1000, 9));
    BigIniFile ini(path);
    EXPECT_EQ(ini.readString("Known", "key", ""), "value");
    ini.writeString("Known", "added", "1");
    ini.flushFile();
    const BigIniFile again(path);
    EXPECT_EQ(again.readString("Known", "key", ""), "value");
    EXPECT_EQ(again.readString("Known", "added", ""), "1");
}

TEST(BigIniFileTest, FiftyMegabyteFilesLoad)
{
    TempDir dir;
    const auto manyLines = dir / "lines.cfg";
    {
        std::string content;
        content.reserve(52u << 20);
        const std::string filler(90, 'f');
        for (int i = 0; content.size() < (50u << 20); ++i) {
            if (i % 1000 == 0)
                content += "[Section" + std::to_string(i / 1000) + "]\r\n";
            content += "Key" + std::to_string(i) + "=" + filler + "\r\n";
        }
        writeFile(manyLines, content);
    }
    const BigIniFile lines(manyLines);
    EXPECT_EQ(lines.readString("section500", "key500123", ""), std::string(90, 'f'));
    EXPECT_EQ(lines.readString("Section500", "key1", "none"), "none");

    // One line of 50 MB holds no section at all.
    const auto oneLine = dir / "one.cfg";
    writeFile(oneLine, "[S]" + std::string(50u << 20, 'x'));
    const BigIniFile single(oneLine);
    EXPECT_EQ(single.readString("S", "x", "none"), "none");

    // A value of 8 MB, split by every read of the file, comes back whole.
    const auto longValue = dir / "value.cfg";
    std::string value = noise(8u << 20, 3);
    for (char& c : value) {
        if (c == '\r' || c == '\n')
            c = 'n';
    }
    writeFile(longValue, "[S]\r\nv=" + value + "\r\n[T]\r\nw=1\r\n");
    const BigIniFile huge(longValue);
    EXPECT_EQ(huge.readString("S", "v", ""), value);
    EXPECT_EQ(huge.readInteger("T", "w", 0), 1);
}

// The tail starts at byte 253 of the line, where lines used to be cut.
INSTANTIATE_TEST_SUITE_P(Tails, LongLineTest,
                         ::testing::Values(Tail{"ab\xC3\xA9"}, Tail{"\xC3\xA9z"}, Tail{"a\xE2\x82\xAC"},
                                           Tail{"\xF0\x9F\x98\x80"}, Tail{"a=b [c] ; d"},
                                           Tail{std::string(5000, 't') + "/photo.jpg"}));

} // namespace
} // namespace pictaven
