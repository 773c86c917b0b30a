#pragma once

#include <string>
#include <vector>

namespace pictaven {

// One server reply: its three-digit code and its text lines without the code prefix.
struct FtpReply {
    int code = 0;
    std::vector<std::string> lines;

    // The lines, each followed by CR LF: the text that a failed command carries.
    std::string text() const
    {
        std::string all;
        for (const auto& line : lines)
            all += line + "\r\n";
        return all;
    }
};

} // namespace pictaven
