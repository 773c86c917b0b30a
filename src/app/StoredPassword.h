#pragma once

#include <string>

namespace pictaven {

// The form in which passwords are kept in album.cfg and in FTP profiles: the byte at 1-based
// position i is stored as its value plus i, modulo 256; reading subtracts i again. It hides a
// password from a glance, nothing more. Works on bytes, so UTF-8 passwords round-trip; the
// stored form may hold any byte value, including ones that are not valid UTF-8.
std::string scramblePassword(const std::string& password);
std::string unscramblePassword(const std::string& stored);

// A password as a settings file keeps it, under two keys. The first, the key passwords always
// had, holds the scrambled form whenever a settings line can keep it, so such files read in every
// version alike. When it cannot (a line break, a NUL, or a blank at either end that editors and
// other readers drop), the first key holds nothing and the second one the scrambled bytes as
// lower-case hex digits. Files written before the second key existed never have it, so they read
// exactly as they always did.
struct StoredPassword {
    std::string scrambled; // the value of the first key
    std::string hex;       // the value of the second key; empty when the first holds the password
};

StoredPassword storePassword(const std::string& password);
// Hex digits that are not whole bytes (a hand-edited file) count as no second key.
std::string readStoredPassword(const StoredPassword& stored);

} // namespace pictaven
