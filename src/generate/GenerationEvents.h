#pragma once

#include <functional>
#include <string>

namespace pictaven {

// How a running generation reports to whoever shows it (the window, the command line, a test).
// Called on the generating thread; a member left as it is reports nothing. The two message
// callbacks block until the person has closed the box.
struct GenerationEvents {
    static void ignore(const std::string&) { }

    std::function<void(const std::string&)> status = ignore; // the status text
    std::function<void(int minimum, int maximum)> progressRange = [](int, int) {};
    std::function<void(int position)> progressPosition = [](int) {};
    std::function<void(const std::string&)> percentage = ignore; // "42 %"
    // LogMessage: an error box, then an entry in error.log.
    std::function<void(const std::string&)> logMessage = ignore;
    // An error box that is not logged.
    std::function<void(const std::string&)> showError = ignore;
};

} // namespace pictaven
