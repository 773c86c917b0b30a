#pragma once

#include "publish/RemoteSession.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pictaven {

// The album directory on the server, as an upload enters and lists it.

// Walks from `initialDirectory` down to `albumDirectory`, making each directory on the way
// (a failure to make one is ignored: it usually exists) and naming each step in `log`. "/" and a
// backslash both separate the path's segments. The segment that could not be entered, or
// nothing when the album directory was reached.
std::optional<std::string> enterAlbumDirectory(RemoteSession& session, const std::string& initialDirectory,
                                               const std::string& albumDirectory,
                                               const std::function<void(const std::string&)>& log);

// The names in the current directory that a "*.*" listing gives, which the upload compares
// photos with when it must not overwrite them. A refusal that says the directory is empty gives
// no names; any other refusal goes to `warn`, and the upload goes on with the names it has.
std::vector<std::string> listAlbumNames(RemoteSession& session, const std::function<void(const std::string&)>& warn);

// The files of the current directory by name, with their sizes. A refusal that says the
// directory is empty gives no files; other failures throw FtpError.
std::map<std::string, std::uint64_t> listFileSizes(RemoteSession& session);

} // namespace pictaven
