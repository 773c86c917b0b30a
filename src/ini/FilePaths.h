#pragma once

#include <string>

namespace pictaven
{

// `folder` with a "/" added when it does not end in one (also to an empty text).
std::string withTrailingSlash(std::string folder);

// Whether `path` names a regular file (after links); false for an empty path or any error.
bool isFile(const std::string& path);

// Whether `path` is absolute and names a folder. A relative folder would name whatever folder
// the program runs in, so it never counts.
bool isAbsoluteFolder(const std::string& path);

} // namespace pictaven
