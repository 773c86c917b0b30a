#include "publish/FtpError.h"
#include "publish/HostPort.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

struct HostPortCase {
    const char* text;
    const char* host;
    std::uint16_t port;
};

class HostPortParse : public ::testing::TestWithParam<HostPortCase> { };

TEST_P(HostPortParse, SplitsHostAndPort)
{
    const HostPort parsed = parseHostPort(GetParam().text, 21);
    EXPECT_EQ(parsed.host, GetParam().host);
    EXPECT_EQ(parsed.port, GetParam().port);
}

INSTANTIATE_TEST_SUITE_P(Forms, HostPortParse,
                         ::testing::Values(HostPortCase{"ftp.example.com", "ftp.example.com", 21},
                                           HostPortCase{" ftp.example.com:2121 ", "ftp.example.com", 2121},
                                           HostPortCase{"127.0.0.1:65535", "127.0.0.1", 65535},
                                           HostPortCase{"[::1]:2121", "::1", 2121},
                                           HostPortCase{"[fe80::1]", "fe80::1", 21},
                                           HostPortCase{"2001:db8::5", "2001:db8::5", 21},
                                           HostPortCase{"[ftp.example.com]:2121", "ftp.example.com", 2121},
                                           HostPortCase{"[fe80::1%eth0]:22", "fe80::1%eth0", 22},
                                           HostPortCase{"files_1.home-net.example.", "files_1.home-net.example.", 21},
                                           HostPortCase{"Localhost", "Localhost", 21},
                                           HostPortCase{"10.1", "10.1", 21}));

TEST(HostPort, RefusesBadPortsAndHosts)
{
    for (const char* text : {"host:", "host:0", "host:65536", "host:21x", "host:-1", "[::1]:", "[::1]x", "[::1", "",
                             ":21", "[]:21",
                             // What cannot name a host at all.
                             "evil host", "evil host:21", "[evil host]:21", "evil\thost", "evil\nhost", "a..example",
                             ".example", "..", "-a.example", "a-.example", "b\xC3\xBC" "cher.example", "host;id", "a/b",
                             "999.1.1.1", "1.2.3.4.5", "::1::2", "[::g]", "[fe80::1%]", "[fe80::1%e th]"}) {
        EXPECT_THROW(parseHostPort(text, 21), FtpError) << text;
    }
}

} // namespace
} // namespace pictaven
