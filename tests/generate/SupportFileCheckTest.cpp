#include "decoders/FixtureFiles.h"
#include "generate/SupportFileCheck.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

namespace pictaven {
namespace {

using Kind = SupportFileCheck::Kind;

struct CheckCase {
    const char* name;
    Kind kind;
    std::string file; // written under this name
    std::string bytes;
    bool accepted;
};

std::string fixtureBytes(const char* file)
{
    const test::Bytes bytes = test::fixtureNamed(file).bytes;
    return {bytes.begin(), bytes.end()};
}

const std::string secret = "root:$6$secret-hash:19000:0:99999:7:::\n";

class SupportFiles : public ::testing::TestWithParam<CheckCase> { };

TEST_P(SupportFiles, AreCopiedOnlyAsWhatTheyAre)
{
    const CheckCase& c = GetParam();
    test::TempDir dir;
    const std::string path = dir.str() + c.file;
    test::writeFile(path, c.bytes);
    const std::string refusal = SupportFileCheck::refusal(path, c.kind);
    if (c.accepted) {
        EXPECT_EQ(refusal, "");
    } else {
        EXPECT_NE(refusal.find(path), std::string::npos) << "the message names the file: " << refusal;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SupportFiles,
    ::testing::Values(
        CheckCase{"styleSheet", Kind::StyleSheet, "Site Style.CSS", "body {\tcolor: #333; }\r\n/* Zoë */\f\n", true},
        CheckCase{"styleSheetWithoutCssName", Kind::StyleSheet, "shadow", secret, false},
        CheckCase{"styleSheetNamedAsCssButBinary", Kind::StyleSheet, "x.css", std::string("body{}\0\x01", 8), false},
        CheckCase{"styleSheetNotUtf8", Kind::StyleSheet, "latin.css", "/* caf\xE9 */", false},
        CheckCase{"styleSheetTooLarge", Kind::StyleSheet, "big.css",
                  std::string(static_cast<std::size_t>(SupportFileCheck::maxStyleSheetBytes) + 1, ' '), false},
        CheckCase{"texturePng", Kind::Picture, "paper.png", fixtureBytes("alpha.png"), true},
        CheckCase{"textureNamedAsPictureButText", Kind::Picture, "paper.jpg", secret, false},
        CheckCase{"textureUnknownFormat", Kind::Picture, "shadow", secret, false},
        CheckCase{"mp3WithTag", Kind::Audio, "song.mp3", "ID3\x04" + std::string(20, '\0'), true},
        CheckCase{"mp3FrameSync", Kind::Audio, "Song.MP3", "\xFF\xFB\x90\x64" + std::string(20, '\0'), true},
        CheckCase{"wave", Kind::Audio, "a.wav", std::string("RIFF\x24\0\0\0WAVEfmt ", 16), true},
        CheckCase{"midi", Kind::Audio, "tune.mid", std::string("MThd\0\0\0\x06", 8), true},
        CheckCase{"ogg", Kind::Audio, "a.ogg", "OggS" + std::string(20, '\0'), true},
        CheckCase{"au", Kind::Audio, "a.au", ".snd" + std::string(20, '\0'), true},
        CheckCase{"aiff", Kind::Audio, "a.aiff", std::string("FORM\0\0\0\x10" "AIFF", 12), true},
        CheckCase{"wma", Kind::Audio, "a.wma",
                  std::string("\x30\x26\xb2\x75\x8e\x66\xcf\x11\xa6\xd9\x00\xaa\x00\x62\xce\x6c", 16), true},
        CheckCase{"m4a", Kind::Audio, "a.m4a", std::string("\0\0\0\x20" "ftypM4A ", 12), true},
        CheckCase{"textNamedAsAudio", Kind::Audio, "notes.mp3", secret, false},
        CheckCase{"waveSignatureUnderAnotherName", Kind::Audio, "a.mid", std::string("RIFF\x24\0\0\0WAVE", 12), false},
        CheckCase{"audioSignatureWithoutAudioName", Kind::Audio, "tune.txt", std::string("MThd\0\0\0\x06", 8), false},
        CheckCase{"emptyAudio", Kind::Audio, "a.wav", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SupportFileCheck, RefusesWhatIsNotAPlainFileWithoutOpeningIt)
{
    test::TempDir dir;
    const std::string pipe = dir.str() + "pipe.css";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string folder = dir.str() + "folder.mid";
    std::filesystem::create_directory(folder);
    for (const std::string& path : {pipe, folder, dir.str() + "missing.css", std::string("/dev/zero")}) {
        EXPECT_NE(SupportFileCheck::refusal(path, Kind::StyleSheet).find(path), std::string::npos) << path;
        EXPECT_NE(SupportFileCheck::refusal(path, Kind::Audio).find(path), std::string::npos) << path;
    }
}

} // namespace
} // namespace pictaven
