#include "catalog/PhotoEntry.h"

#include <sstream>

namespace pictaven
{

namespace
{

// A catalog keeps each text on one line.
std::string oneLine(std::string text)
{
    for (char& c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}

} // namespace

void takeMetadata(FileStorage& storage, const PhotoMetadata& metadata)
{
    if (storage.WebTitle.empty())
        storage.WebTitle = oneLine(metadata.title);
    if (storage.Description.empty() && !metadata.description.empty()) {
        std::istringstream lines(metadata.description);
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            storage.Description.push_back(oneLine(line));
        }
    }
    if (metadata.takenAt)
        storage.FileDate = *metadata.takenAt;
}

} // namespace pictaven
