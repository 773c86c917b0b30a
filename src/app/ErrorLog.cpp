#include "app/ErrorLog.h"

#include "app/Dialogs.h"

#include <cstdio>
#include <exception>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

namespace pictaven {

namespace {

std::locale userLocale()
{
    try {
        return std::locale("");
    } catch (const std::runtime_error&) {
        // A LANG naming a locale that is not installed; the entry still needs a time.
        return std::locale::classic();
    }
}

} // namespace

std::string errorLogTimestamp(std::time_t time)
{
    std::tm local{};
    localtime_r(&time, &local);
    std::ostringstream text;
    text.imbue(userLocale());
    text << std::put_time(&local, "%x %X");
    return text.str();
}

void logMessage(Dialogs& dialogs, const std::string& programFolder, const std::string& text)
{
    dialogs.showError(text);
    try {
        // The entry carries the moment the box was closed, so the time is read afterwards.
        const std::string entry = errorLogTimestamp(std::time(nullptr)) + ">   " + text + "\r\n";
        if (std::FILE* file = std::fopen((programFolder + "error.log").c_str(), "ab")) {
            std::fwrite(entry.data(), 1, entry.size(), file);
            std::fclose(file);
        }
    } catch (const std::exception&) {
        // Out of memory while formatting: the log is a courtesy and never fails its caller.
    }
}

} // namespace pictaven
