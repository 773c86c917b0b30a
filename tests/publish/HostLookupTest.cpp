#include "publish/HostLookup.h"

#include "publish/FtpError.h"

#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <netdb.h>

namespace pictaven {
namespace {

std::string failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const FtpError& failure) {
        return failure.what();
    }
    return "no failure";
}

TEST(HostLookup, ResolverThatNeverAnswersFailsAfterTheTimeOut)
{
    std::promise<void> release;
    const std::shared_future<void> released = release.get_future().share();
    const HostResolver hanging
        = [released](const std::string&, const std::string&, std::vector<ResolvedAddress>&) {
              released.wait();
              return EAI_AGAIN;
          };
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(failureOf([&] { lookUpHost("ftp.hangs.example", 21, 50, hanging); }),
        "Host lookup timed out: ftp.hangs.example");
    // The time-out is in milliseconds: it fires after 50 of them, well before 50 seconds.
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(50));
    EXPECT_LT(elapsed, std::chrono::seconds(5));
    release.set_value();
}

TEST(HostLookup, UnknownNameIsNotFound)
{
    const HostResolver unknown
        = [](const std::string&, const std::string&, std::vector<ResolvedAddress>&) { return EAI_NONAME; };
    EXPECT_EQ(failureOf([&] { lookUpHost("nowhere.example", 21, 5000, unknown); }),
        "Host not found: nowhere.example");
}

TEST(HostLookup, NumericAddressesNeedNoResolver)
{
    const HostResolver unused = [](const std::string&, const std::string&, std::vector<ResolvedAddress>&) {
        ADD_FAILURE() << "resolver called for a numeric address";
        return EAI_FAIL;
    };
    for (const char* address : { "127.0.0.1", "::1" }) {
        const auto found = lookUpHost(address, 2121, 5000, unused);
        ASSERT_EQ(found.size(), 1U) << address;
        EXPECT_EQ(found.front().family, std::string(address) == "::1" ? AF_INET6 : AF_INET);
    }
}

TEST(HostLookup, NameGoesThroughTheResolver)
{
    const auto found = lookUpHost("localhost", 21, 30000);
    EXPECT_FALSE(found.empty());
}

} // namespace
} // namespace pictaven
