#include "publish/SyncRecord.h"

#include "generate/AtomicFile.h"
#include "generate/RecordFile.h"

#include <charconv>
#include <sstream>
#include <system_error>

namespace pictaven {

namespace {

constexpr const char* header = "Pictaven sync record 1";
constexpr const char* placePrefix = "place ";
// Far more than any album has; a bigger file is no record of ours.
constexpr std::size_t maxRecordBytes = 64 << 20;

bool isHexDigest(const std::string& text)
{
    return text.size() == 64 && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

bool keepsName(const std::string& name)
{
    return !name.empty() && name.find_first_of("\r\n/") == std::string::npos;
}

} // namespace

SyncRecord SyncRecord::load(const std::string& path, const std::string& place, std::string& note)
{
    note.clear();
    SyncRecord record(place);
    const RecordFile file = RecordFile::read(path, maxRecordBytes);
    auto damaged = [&](const std::string& why) {
        note = "The sync record " + path + " is damaged (" + why + "): every file is sent.";
        return SyncRecord(place);
    };
    switch (file.state) {
    case RecordFile::State::Missing:
        return record;
    case RecordFile::State::NotRegular:
        return damaged("not a regular file");
    case RecordFile::State::Unreadable:
        note = "The sync record " + path + " cannot be read (" + std::generic_category().message(file.error) +
               "): every file is sent.";
        return record;
    case RecordFile::State::Read:
        break;
    }
    const std::string& text = file.bytes;
    if (text.size() > maxRecordBytes)
        return damaged("too large");
    if (text.empty() || text.back() != '\n')
        return damaged("cut short");
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != header)
        return damaged("unknown first line");
    if (!std::getline(lines, line) || line.rfind(placePrefix, 0) != 0)
        return damaged("no place line");
    const std::string recorded = line.substr(std::string(placePrefix).size());
    if (recorded != place) {
        note = "The sync record " + path + " is of another place (" + recorded + "): every file is sent.";
        return record;
    }
    for (int number = 3; std::getline(lines, line); ++number) {
        const auto firstBlank = line.find(' ');
        const auto secondBlank
            = firstBlank == std::string::npos ? firstBlank : line.find(' ', firstBlank + 1);
        if (secondBlank == std::string::npos)
            return damaged("line " + std::to_string(number));
        SyncedFile file;
        const char* sizeEnd = line.data() + firstBlank;
        const auto [end, error] = std::from_chars(line.data(), sizeEnd, file.size);
        file.sha256 = line.substr(firstBlank + 1, secondBlank - firstBlank - 1);
        const std::string name = line.substr(secondBlank + 1);
        if (error != std::errc() || end != sizeEnd || !isHexDigest(file.sha256) || !keepsName(name)
            || record.m_files.contains(name))
            return damaged("line " + std::to_string(number));
        record.m_files[name] = file;
    }
    return record;
}

void SyncRecord::save(const std::string& path) const
{
    std::string text = std::string(header) + "\n" + placePrefix + m_place + "\n";
    for (const auto& [name, file] : m_files)
        text += std::to_string(file.size) + " " + file.sha256 + " " + name + "\n";
    AtomicFile out(path);
    out.write(text);
    out.commit();
}

const SyncedFile* SyncRecord::find(const std::string& remoteName) const
{
    const auto at = m_files.find(remoteName);
    return at == m_files.end() ? nullptr : &at->second;
}

void SyncRecord::set(const std::string& remoteName, const SyncedFile& file)
{
    if (keepsName(remoteName) && isHexDigest(file.sha256))
        m_files[remoteName] = file;
}

} // namespace pictaven
