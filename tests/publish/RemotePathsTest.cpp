#include "generate/OutputNames.h"
#include "publish/FtpProfile.h"
#include "publish/RemotePaths.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

TEST(RemotePaths, JoinUrlPath)
{
    EXPECT_EQ(joinUrlPath("www.example.com/", "/album"), "www.example.com/album");
    EXPECT_EQ(joinUrlPath("www.example.com", "album"), "www.example.com/album");
    EXPECT_EQ(joinUrlPath("www.example.com//", "album"), "www.example.com//album");
    EXPECT_EQ(joinUrlPath("", ""), "/");
}

TEST(RemotePaths, JoinRemoteDir)
{
    EXPECT_EQ(joinRemoteDir("/", "MyAlbum"), "/MyAlbum");
    EXPECT_EQ(joinRemoteDir("/site/", "album"), "/site/album");
    EXPECT_EQ(joinRemoteDir("/", ""), "/");
    EXPECT_EQ(joinRemoteDir("", "a/b"), "/a/b");
    EXPECT_EQ(joinRemoteDir("public_html\\", "\\album"), "public_html/album");
    EXPECT_EQ(joinRemoteDir("~alice", ""), "~alice/");
}

TEST(RemotePaths, UploadLocationLabelAndDirectoryEdit)
{
    EXPECT_EQ(uploadLocationLabel("ftp.host.example", "/", "MyAlbum"), "ftp.host.example/  ...  /MyAlbum");
    EXPECT_EQ(uploadLocationLabel("ftp.host.example/", "/site/", "MyAlbum"), "ftp.host.example/site/  ...  /MyAlbum");
    EXPECT_EQ(uploadLocationLabel("ftp.host.example", "/", "MyAlbum", ".../"), "ftp.host.example/.../MyAlbum");
    EXPECT_EQ(cleanUploadDirectory("My Album\\2024/x"), "MyAlbum2024/x");
}

struct UrlCase {
    const char* www;
    const char* httpHome;
    const char* uploadDirectory;
    const char* page;
    bool substitutions;
    bool lowercase;
    const char* url;
    const char* wwwAfter;
};

class ViewRemotely : public ::testing::TestWithParam<UrlCase> { };

TEST_P(ViewRemotely, BuildsTheAlbumAddress)
{
    const UrlCase& c = GetParam();
    FtpProfile profile;
    profile.www = c.www;
    profile.httpHomeDirectory = c.httpHome;
    test::ScriptedDialogs dialogs;
    const auto url = viewRemotelyUrl(profile, c.uploadDirectory, std::string("/out/") + c.page,
                                     OutputNames(c.substitutions, c.lowercase), dialogs);
    ASSERT_TRUE(url.has_value());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(*url, c.url);
    EXPECT_EQ(profile.www, c.wwwAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ViewRemotely,
    ::testing::Values(
        UrlCase{"www.example.com/", "~alice", "MyAlbum", "myalbum.htm", true, false,
                "http://www.example.com/~alice/MyAlbum/myalbum.htm", "www.example.com"},
        UrlCase{"HTTP://www.example.com", "", "MyAlbum", "myalbum_frame.htm", true, false,
                "HTTP://www.example.com/MyAlbum/myalbum_frame.htm", "HTTP://www.example.com"},
        UrlCase{"https://host.example", "/users/bob\\", "trip", "Trip Album.htm", true, true,
                "https://host.example/users/bob/trip/trip_album.htm", "https://host.example"},
        UrlCase{"host.example", "", "", "A&B.htm", false, false, "http://host.example/A&B.htm", "host.example"}));

TEST(ViewRemotely, WarnsWithoutAWebAddress)
{
    FtpProfile profile;
    profile.www = "";
    test::ScriptedDialogs dialogs;
    EXPECT_FALSE(viewRemotelyUrl(profile, "MyAlbum", "/out/myalbum.htm", OutputNames(true, false), dialogs));
    EXPECT_EQ(dialogs.texts(test::ScriptedDialogs::Kind::Warning),
              std::vector<std::string>{"You must first define your Web Server Address in your FTP profile"});
}

} // namespace
} // namespace pictaven
