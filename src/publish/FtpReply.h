#pragma once

#include "publish/FtpError.h"

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

    // The failure this reply stands for when the command did not expect it.
    FtpError error() const
    {
        switch (code) {
        case 421: // service closing the control connection
        case 425: // cannot open the data connection
        case 426: // data connection closed, transfer aborted
            return FtpError(text(), ErrorKind::ConnectionLost);
        case 452: // insufficient storage
        case 552: // exceeded storage allocation
            return FtpError(text(), ErrorKind::NoSpace);
        case 550:
            return FtpError(text(), ErrorKind::NotFound);
        default:
            return FtpError(text(), ErrorKind::Refused);
        }
    }
};

} // namespace pictaven
