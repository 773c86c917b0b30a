#pragma once

#include "publish/FtpProfile.h"

#include <string>

namespace pictaven {

// Why SSH cannot log in with the private key file `path`: it does not exist, cannot be read or
// is not a file, or, as OpenSSH refuses such a key, its owner (the person running the program)
// lets others read it. Each reason names the file. Empty when the file can be used.
std::string privateKeyFault(const std::string& path);

// Why `profile` cannot be stored as it stands: a host that cannot name a host (parseHostPort's
// message) or a key file that privateKeyFault() refuses. An empty host passes, since the Remote
// Settings window may be cleared and closed. Empty when all is well. The command line and the
// window both ask this before they take a profile.
std::string profileFault(const FtpProfile& profile);

} // namespace pictaven
