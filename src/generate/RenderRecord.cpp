#include "generate/RenderRecord.h"

#include "generate/AtomicFile.h"
#include "generate/FileDigest.h"
#include "generate/RecordField.h"
#include "generate/RecordFile.h"

#include <charconv>
#include <exception>
#include <sstream>
#include <sys/stat.h>
#include <time.h>
#include <utility>
#include <vector>

namespace pictaven
{

namespace
{

const std::string header = std::string("Pictaven render record 1 ") + PICTAVEN_VERSION;

// Two lines of a few hundred bytes for each photo of the largest albums, and room to spare.
constexpr std::size_t longestRecord = std::size_t { 256 } << 20;

// Changes this close before a generation began may share their times with a later change of
// the same file: timestamps are only as fine as the kernel's clock tick, and file servers'
// clocks drift.
constexpr std::int64_t racyNanoseconds = 2'000'000'000;

std::int64_t nanoseconds(const timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

std::optional<FileIdentity> identityOf(const struct stat& info)
{
    if (!S_ISREG(info.st_mode))
        return std::nullopt;
    return FileIdentity { static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
        static_cast<std::uint64_t>(info.st_size), nanoseconds(info.st_mtim), nanoseconds(info.st_ctim) };
}

std::string identityText(const FileIdentity& identity)
{
    return std::to_string(identity.device) + ' ' + std::to_string(identity.inode) + ' '
        + std::to_string(identity.size) + ' ' + std::to_string(identity.modified) + ' '
        + std::to_string(identity.changed);
}

template <typename Number> bool readNumber(std::string_view& text, Number& number)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc())
        return false;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    if (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return true;
}

std::optional<FileIdentity> parsedIdentity(std::string_view text)
{
    FileIdentity identity;
    if (readNumber(text, identity.device) && readNumber(text, identity.inode)
        && readNumber(text, identity.size) && readNumber(text, identity.modified)
        && readNumber(text, identity.changed) && text.empty())
        return identity;
    return std::nullopt;
}

std::vector<std::string_view> fields(std::string_view line)
{
    std::vector<std::string_view> parts;
    for (std::size_t tab; (tab = line.find('\t')) != std::string_view::npos; line.remove_prefix(tab + 1))
        parts.push_back(line.substr(0, tab));
    parts.push_back(line);
    return parts;
}

} // namespace

std::optional<FileIdentity> FileIdentity::ofSource(const std::string& path)
{
    struct stat info {
    };
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return identityOf(info);
}

std::optional<FileIdentity> FileIdentity::ofOutput(const std::string& path)
{
    struct stat info {
    };
    if (::lstat(path.c_str(), &info) != 0)
        return std::nullopt;
    return identityOf(info);
}

RenderRecord::RenderRecord(std::string folder)
    : m_folder(std::move(folder))
{
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    m_begun = nanoseconds(now);
    read();
}

void RenderRecord::read()
{
    const RecordFile file = RecordFile::read(m_folder + fileName, longestRecord);
    if (file.state != RecordFile::State::Read || file.bytes.size() > longestRecord)
        return;
    std::istringstream in(file.bytes);
    std::string line;
    if (!std::getline(in, line) || line != header)
        return;
    if (!std::getline(in, line) || !line.starts_with("folder ") || unescapedField(line.substr(7)) != m_folder)
        return;
    std::string_view checked;
    if (!std::getline(in, line) || !line.starts_with("checked ")
        || !readNumber(checked = std::string_view(line).substr(8), m_checked) || !checked.empty())
        return;
    std::map<std::string, Entry> entries;
    while (std::getline(in, line)) {
        if (in.eof())
            return; // a line without its end was cut short
        const std::vector<std::string_view> parts = fields(line);
        if (parts.size() != 6)
            return;
        const std::optional<std::string> name = unescapedField(parts[0]);
        const std::optional<std::string> source = unescapedField(parts[1]);
        const std::optional<FileIdentity> sourceIdentity = parsedIdentity(parts[2]);
        const std::optional<FileIdentity> output = parsedIdentity(parts[5]);
        if (!name || !source || !sourceIdentity || !output || parts[3].empty() || parts[4].empty())
            return;
        entries[*name] = Entry { *source, *sourceIdentity,
            parts[3] == "-" ? std::string() : std::string(parts[3]), std::string(parts[4]), *output };
    }
    m_earlier = std::move(entries);
}

bool RenderRecord::trusted(const FileIdentity& identity, std::int64_t checked) const
{
    return identity.changed < checked - racyNanoseconds && identity.modified < checked - racyNanoseconds;
}

std::string RenderRecord::contentOf(const std::string& source)
{
    const auto known = m_contents.find(source);
    if (known != m_contents.end())
        return known->second;
    std::string digest;
    try {
        digest = fileSha256(source);
    } catch (const std::exception&) {
    }
    m_contents[source] = digest;
    return digest;
}

bool RenderRecord::current(const std::string& name, const std::string& source, const std::string& recipe)
{
    const auto found = m_earlier.find(name);
    if (found == m_earlier.end())
        return false;
    Entry entry = found->second;
    if (entry.source != source || entry.recipe != recipe
        || FileIdentity::ofOutput(m_folder + name) != entry.output)
        return false;
    const std::optional<FileIdentity> now = FileIdentity::ofSource(source);
    if (!now)
        return false;
    if (*now != entry.sourceIdentity || !trusted(*now, m_checked)) {
        if (entry.sourceSha256.empty() || contentOf(source) != entry.sourceSha256)
            return false;
        entry.sourceIdentity = *now;
    }
    m_files[name] = std::move(entry);
    return true;
}

SourceState RenderRecord::sourceState(const std::string& source) const
{
    SourceState state;
    state.identity = FileIdentity::ofSource(source);
    if (state.identity && !trusted(*state.identity, m_begun)) {
        try {
            state.sha256 = fileSha256(source);
        } catch (const std::exception&) {
            state.identity.reset();
        }
    }
    return state;
}

void RenderRecord::written(
    const std::string& name, const std::string& source, const SourceState& state, const std::string& recipe)
{
    const std::optional<FileIdentity> output = FileIdentity::ofOutput(m_folder + name);
    if (!output || !state.identity) {
        m_files.erase(name);
        return;
    }
    m_files[name] = Entry { source, *state.identity, state.sha256, recipe, *output };
}

void RenderRecord::save() const
{
    std::string text
        = header + "\nfolder " + escapedField(m_folder) + "\nchecked " + std::to_string(m_begun) + "\n";
    for (const auto& [name, entry] : m_files) {
        text += escapedField(name) + '\t' + escapedField(entry.source) + '\t'
            + identityText(entry.sourceIdentity) + '\t'
            + (entry.sourceSha256.empty() ? std::string("-") : entry.sourceSha256) + '\t' + entry.recipe
            + '\t' + identityText(entry.output) + '\n';
    }
    AtomicFile file(m_folder + fileName);
    file.write(text);
    file.commit();
}

} // namespace pictaven
