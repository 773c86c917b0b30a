#pragma once

#include <stdexcept>
#include <string>

namespace pictaven {

// A file could not be read, created or written; the text carries the system's reason.
class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace pictaven
