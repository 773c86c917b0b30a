#include "publish/FtpError.h"
#include "publish/SafeTransfer.h"
#include "support/MemorySession.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>

namespace pictaven {
namespace {

using std::chrono::milliseconds;

class SafeTransferTest : public ::testing::Test {
protected:
    SafeTransferTest()
    {
        server.folders.insert("/album");
        server.connect();
        server.changeDirectory("album");
        transfer.setRetryDelays({milliseconds(1), milliseconds(1)});
        bytes = std::string(3000, 'x') + std::string(3000, 'y');
        test::writeFile(dir / "photo.jpg", bytes);
    }

    // Sends photo.jpg; the failure's kind and text, or nothing.
    std::optional<FtpError> sendPhoto()
    {
        try {
            transfer.send(dir.str() + "photo.jpg", "photo.jpg");
        } catch (const FtpError& failure) {
            return failure;
        }
        return std::nullopt;
    }

    test::TempDir dir;
    std::string bytes;
    test::MemorySession server;
    std::vector<std::string> log;
    bool cancel = false;
    SafeTransfer transfer{server,
                          {[this](const std::string& line) { log.push_back(line); },
                           [this] { server.changeDirectory("/album"); }, [this] { return cancel; }}};
};

TEST_F(SafeTransferTest, ACutTransferIsResumedWhereTheServerStoppedThenPutInPlace)
{
    server.cuts = {1000, 4000};
    ASSERT_FALSE(sendPhoto().has_value());
    EXPECT_EQ(server.connections, 3);
    EXPECT_EQ(log, (std::vector<std::string>{"CONNECTION LOST: Connection reset by peer", "CONNECT",
                                             "RESUME photo.jpg FROM 1000",
                                             "CONNECTION LOST: Connection reset by peer", "CONNECT",
                                             "RESUME photo.jpg FROM 4000"}));
    EXPECT_TRUE(server.files.at("/album/photo.jpg.part") == bytes);
    EXPECT_FALSE(server.files.contains("/album/photo.jpg"));

    const SafeTransfer::Placement placement = transfer.putInPlace({{"photo.jpg", bytes.size()}});
    EXPECT_EQ(placement.placed, 1u);
    EXPECT_TRUE(server.files.at("/album/photo.jpg") == bytes);
    EXPECT_FALSE(server.files.contains("/album/photo.jpg.part"));
}

TEST_F(SafeTransferTest, FailuresEndTheTransferWithTheirKindAndRemoveTheTemporaryFileWhereTheyCan)
{
    struct Case {
        const char* name;
        std::deque<std::uint64_t> cuts;
        ErrorKind refusal; // thrown by every put when not Other
        bool cancelled;
        ErrorKind kind;
        const char* text;
        bool leftover; // a broken connection cannot remove the temporary file
    };
    const Case cases[] = {
        {"cut too often", {10, 20, 30}, ErrorKind::Other, false, ErrorKind::ConnectionLost,
         "The connection broke 3 times: Connection reset by peer", true},
        {"refused", {}, ErrorKind::Refused, false, ErrorKind::Refused, "said no", false},
        {"not found", {}, ErrorKind::NotFound, false, ErrorKind::NotFound, "said no", false},
        {"disk full", {}, ErrorKind::NoSpace, false, ErrorKind::NoSpace,
         "The web server has no room for the file (disk full or quota reached): said no", false},
        {"cancelled while waiting", {10}, ErrorKind::Other, true, ErrorKind::Cancelled,
         "Cancelled while waiting to resume photo.jpg.", true},
    };
    for (const Case& c : cases) {
        server.files.clear();
        server.cuts = c.cuts;
        cancel = c.cancelled;
        const int connectionsBefore = server.connections;
        server.fault = [&c](const std::string& command, const std::string&) {
            if (command == "put" && c.refusal != ErrorKind::Other)
                throw FtpError("said no", c.refusal);
        };
        const std::optional<FtpError> failure = sendPhoto();
        // Only a lost connection is tried again.
        EXPECT_EQ(server.connections - connectionsBefore, c.kind == ErrorKind::ConnectionLost ? 2 : 0) << c.name;
        if (!server.connected()) {
            server.connect();
            server.changeDirectory("/album");
        }
        ASSERT_TRUE(failure.has_value()) << c.name;
        EXPECT_EQ(failure->kind(), c.kind) << c.name;
        EXPECT_EQ(failure->what(), std::string(c.text)) << c.name;
        EXPECT_EQ(server.files.contains("/album/photo.jpg.part"), c.leftover) << c.name;
        EXPECT_FALSE(server.files.contains("/album/photo.jpg")) << c.name;
    }
}

TEST_F(SafeTransferTest, AGroupGoesInPlaceOnlyWhenTheServerHasAllOfItWhole)
{
    test::writeFile(dir / "page.htm", "page");
    server.files["/album/photo.jpg"] = "old photo";
    server.files["/album/page.htm"] = "old page";
    for (const bool whole : {false, true}) {
        ASSERT_FALSE(sendPhoto().has_value());
        transfer.send(dir.str() + "page.htm", "page.htm");
        if (!whole)
            server.files["/album/page.htm.part"] = "pag"; // as a server that lost the end reports it
        const SafeTransfer::Placement placement = transfer.putInPlace({{"photo.jpg", bytes.size()}, {"page.htm", 4}});
        EXPECT_EQ(placement.placed, whole ? 2u : 0u);
        EXPECT_EQ(placement.failedFile, whole ? "" : "page.htm");
        EXPECT_EQ(placement.failure,
                  whole ? "" : "The server reports 3 bytes for page.htm.part after the transfer of 4 bytes; the file was "
                               "not put in place.");
        EXPECT_EQ(server.files, (std::map<std::string, std::string>{
                                    {"/album/page.htm", whole ? "page" : "old page"},
                                    {"/album/photo.jpg", whole ? bytes : "old photo"}}));
    }
}

} // namespace
} // namespace pictaven
