#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace pictaven {

// A file could not be read, created or written; the text carries the system's reason.
class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    // `reason` alone, e.g. "Permission denied", for a report that names the file in its own words.
    IoError(const std::string& text, std::string reason)
        : std::runtime_error(text)
        , m_reason(std::move(reason))
    {
    }

    // The reason given apart from the text, or empty.
    const std::string& reason() const { return m_reason; }

private:
    std::string m_reason;
};

} // namespace pictaven
