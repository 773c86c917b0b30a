#pragma once

#include <ctime>
#include <string>

namespace pictaven {

class Dialogs;

// The error log: shows `text` in an error box through `dialogs` and, once the box has closed,
// appends one entry to `programFolder` + "error.log" (the folder ends in "/"): the local date
// and time ("%x %X" in the user's locale), ">", three spaces, the text unchanged (line breaks
// included) and CR LF. The file is opened and closed for each entry and only ever grows; when
// it cannot be opened or written the entry is dropped without a word. Throws nothing of its own;
// only what `dialogs` may throw passes through.
void logMessage(Dialogs& dialogs, const std::string& programFolder, const std::string& text);

// The date-and-time text of an entry written at `time`: the short date and the long time of the
// user's locale, or of the classic locale when the user's cannot be set up.
std::string errorLogTimestamp(std::time_t time);

} // namespace pictaven
