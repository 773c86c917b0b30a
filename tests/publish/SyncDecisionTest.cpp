#include "generate/FileDigest.h"
#include "publish/SyncDecision.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

std::vector<std::string> namesOf(const std::vector<SyncChange>& changes)
{
    std::vector<std::string> names;
    for (const SyncChange& change : changes)
        names.push_back(change.step.remoteName);
    return names;
}

class SyncDecisionTest : public ::testing::Test {
protected:
    // A file of the album with its bytes, as the plan names it.
    UploadStep file(const std::string& name, const std::string& bytes)
    {
        test::writeFile(dir / name, bytes);
        UploadStep step;
        step.remoteName = name;
        step.localPath = dir.str() + name;
        step.status = "Uploading " + name;
        return step;
    }

    // Records the file as sent with `bytes`.
    void sent(const std::string& name, const std::string& bytes)
    {
        test::writeFile(dir / "sent", bytes);
        record.set(name, {bytes.size(), fileSha256(dir.str() + "sent")});
    }

    test::TempDir dir;
    SyncRecord record{"alice@host /album"};
};

TEST_F(SyncDecisionTest, AFileGoesAgainUnlessRecordContentAndServerAllAgree)
{
    struct Case {
        const char* name;
        const char* recorded;      // nullptr: never sent
        std::int64_t serverSize;   // -1: not on the server
        bool sends;
    };
    const Case cases[] = {
        {"new.jpg", nullptr, -1, true},
        {"same.jpg", "abc", 3, false},
        {"edited.jpg", "abd", 3, true},
        {"lost.jpg", "abc", -1, true},
        {"replaced.jpg", "abc", 5, true},
    };
    std::vector<UploadStep> files;
    std::map<std::string, std::uint64_t> server;
    std::vector<std::string> expected;
    for (const Case& c : cases) {
        files.push_back(file(c.name, "abc"));
        if (c.recorded)
            sent(c.name, c.recorded);
        if (c.serverSize >= 0)
            server[c.name] = static_cast<std::uint64_t>(c.serverSize);
        if (c.sends)
            expected.push_back(c.name);
    }
    const SyncDecision decision = decideSync(files, record, server);
    EXPECT_EQ(namesOf(decision.pictures), expected);
    EXPECT_EQ(decision.pages.size(), 0u);
    EXPECT_EQ(decision.albumFiles, std::size(cases));
    ASSERT_EQ(decision.pictures.size(), expected.size());
    EXPECT_EQ(decision.pictures[0].now.size, 3u);
    EXPECT_EQ(decision.pictures[0].now.sha256, fileSha256(dir.str() + "new.jpg"));
}

TEST_F(SyncDecisionTest, PicturesGoBeforeThePagesAndANameGoesOnce)
{
    const std::vector<UploadStep> files = {file("index.htm", "i"), file("a.jpg", "a"), file("page.HTM", "p"),
                                           file("b.gif", "b"), file("a.jpg", "a")};
    const SyncDecision decision = decideSync(files, record, {});
    EXPECT_EQ(namesOf(decision.pictures), (std::vector<std::string>{"a.jpg", "b.gif"}));
    EXPECT_EQ(namesOf(decision.pages), (std::vector<std::string>{"index.htm", "page.HTM"}));
    EXPECT_EQ(decision.albumFiles, 4u);
    EXPECT_EQ(decision.pages[0].step.status, "Uploading index.htm");
}

TEST_F(SyncDecisionTest, LeftoversAreTheAlbumsOwnTemporaryFilesOnly)
{
    const std::vector<UploadStep> files = {file("a.jpg", "a"), file("b.jpg", "b")};
    const std::map<std::string, std::uint64_t> server = {
        {"a.jpg", 1}, {"a.jpg.part", 9}, {"guestbook.txt.part", 4}, {"b.jpg", 1}};
    EXPECT_EQ(decideSync(files, record, server).leftovers, std::vector<std::string>{"a.jpg.part"});
}

TEST_F(SyncDecisionTest, FilesTheAlbumDroppedAreDeletedOnlyWhereTheServerKeepsWhatWasSent)
{
    const std::vector<UploadStep> files = {file("kept.jpg", "k")};
    sent("kept.jpg", "k");
    sent("dropped.jpg", "dd");
    sent("replaced.jpg", "rr");
    sent("gone.jpg", "gg");
    const std::map<std::string, std::uint64_t> server = {
        {"kept.jpg", 1}, {"dropped.jpg", 2}, {"replaced.jpg", 7}, {"other.txt", 5}};
    const SyncDecision decision = decideSync(files, record, server);
    std::vector<std::string> stale;
    for (const StaleFile& file : decision.stale)
        stale.push_back(file.name + (file.onServer ? " on the server" : " forgotten"));
    EXPECT_EQ(stale, (std::vector<std::string>{"dropped.jpg on the server", "gone.jpg forgotten",
                                               "replaced.jpg forgotten"}));
    EXPECT_EQ(decision.pictures.size(), 0u);
}

} // namespace
} // namespace pictaven
