#pragma once

#include <functional>
#include <string>

namespace pictaven {

// How a running generation reports to whoever shows it (the window, the command line, a test).
// Called on the generating thread; a member left empty is not reported. The two message
// callbacks block until the person has closed the box.
struct GenerationEvents {
    std::function<void(const std::string&)> status;     // the status text
    std::function<void(int minimum, int maximum)> progressRange;
    std::function<void(int position)> progressPosition;
    std::function<void(const std::string&)> percentage; // "42 %"
    // LogMessage: an error box, then an entry in error.log.
    std::function<void(const std::string&)> logMessage;
    // An error box that is not logged.
    std::function<void(const std::string&)> showError;
};

} // namespace pictaven
