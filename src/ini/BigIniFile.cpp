#include "ini/BigIniFile.h"

#include "ini/AsciiCase.h"
#include "ini/IntegerText.h"
#include "ini/IoError.h"
#include "ini/StorableText.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace pictaven {

namespace {

constexpr std::size_t kReadBuffer = 12288;

// The key of a line is the text before its first "="; a line without "=" has none.
std::optional<std::string> lowerKeyOf(const std::string& line)
{
    const auto equals = line.find('=');
    if (equals == std::string::npos)
        return std::nullopt;
    return asciiLower(std::string_view(line).substr(0, equals));
}

struct FileHandle {
    int fd;
    ~FileHandle()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

std::string readError(const std::string& path, int error)
{
    return "Unable to read " + path + ": " + std::generic_category().message(error);
}

} // namespace

BigIniFile::BigIniFile(const std::string& path)
    : BigIniFile(path, NewFileAccess::Shared)
{
}

BigIniFile::BigIniFile(const std::string& path, NewFileAccess access)
    : m_path(path)
    , m_access(access)
{
    load();
    m_changed = false;
}

void BigIniFile::load()
{
    // Non-blocking, so that a named pipe at the path cannot stall the open; only regular files
    // are read, so a device cannot feed an endless line either.
    const FileHandle file{::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return;
        throw IoError(readError(m_path, errno));
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0)
        throw IoError(readError(m_path, errno));
    if (S_ISDIR(info.st_mode))
        throw IoError(readError(m_path, EISDIR));
    if (!S_ISREG(info.st_mode))
        throw IoError("Unable to read " + m_path + ": not a regular file");

    std::string line;
    bool afterCr = false;
    bool firstLine = true;
    Section* target = nullptr;
    const auto endLine = [&] {
        // Editors that save UTF-8 with a byte-order mark would otherwise hide the first section.
        if (firstLine && line.starts_with("\xEF\xBB\xBF"))
            line.erase(0, 3);
        firstLine = false;
        addLine(line, target);
        line.clear();
    };
    char buffer[kReadBuffer];
    for (;;) {
        const ssize_t count = ::read(file.fd, buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            throw IoError(readError(m_path, errno));
        }
        if (count == 0)
            break;
        // Lines are kept whole, however long: each byte is copied once, so a line is bounded
        // by the file and loading stays linear in its size.
        const char* next = buffer;
        const char* const end = buffer + count;
        while (next < end) {
            if (afterCr && *next == '\n') {
                afterCr = false;
                ++next;
                continue;
            }
            const char* const lineBreak
                = std::find_if(next, end, [](char c) { return c == '\r' || c == '\n'; });
            line.append(next, lineBreak);
            if (lineBreak == end) {
                afterCr = false;
                break;
            }
            afterCr = *lineBreak == '\r';
            endLine();
            next = lineBreak + 1;
        }
    }
    endLine();
}

void BigIniFile::addLine(std::string& line, Section*& target)
{
    if (line.empty() || line == "\x1A")
        return;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        std::string name = line.substr(1, line.size() - 2);
        auto [slot, added] = m_sectionIndex.emplace(asciiLower(name), m_sections.size());
        if (!added) {
            // A repeated section: its lines are dropped, the first one stands.
            target = nullptr;
            return;
        }
        m_sections.push_back(Section{std::move(name), {}, {}, false});
        target = &m_sections.back();
        return;
    }
    if (target)
        target->lines.push_back(std::move(line));
}

const BigIniFile::Section* BigIniFile::findSection(const std::string& name) const
{
    // Readers ask for keys in file order, so the section found last is tried first.
    if (m_hint < m_sections.size() && m_sections[m_hint].name.size() == name.size()
        && asciiLower(m_sections[m_hint].name) == asciiLower(name))
        return &m_sections[m_hint];
    const auto found = m_sectionIndex.find(asciiLower(name));
    if (found == m_sectionIndex.end())
        return nullptr;
    m_hint = found->second;
    return &m_sections[m_hint];
}

BigIniFile::Section* BigIniFile::findSection(const std::string& name)
{
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

std::size_t BigIniFile::findLine(const Section& section, const std::string& key)
{
    if (!section.keysBuilt) {
        section.keys.clear();
        for (std::size_t i = 0; i < section.lines.size(); ++i) {
            if (auto lineKey = lowerKeyOf(section.lines[i]))
                section.keys.emplace(std::move(*lineKey), i);
        }
        section.keysBuilt = true;
    }
    const auto found = section.keys.find(asciiLower(key));
    return found == section.keys.end() ? std::string::npos : found->second;
}

void BigIniFile::indexSections()
{
    m_sectionIndex.clear();
    for (std::size_t i = 0; i < m_sections.size(); ++i)
        m_sectionIndex.emplace(asciiLower(m_sections[i].name), i);
    m_hint = 0;
}

std::string BigIniFile::readString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue) const
{
    const Section* found = findSection(section);
    if (!found)
        return defaultValue;
    const std::size_t line = findLine(*found, key);
    if (line == std::string::npos)
        return defaultValue;
    const std::string& text = found->lines[line];
    return text.substr(text.find('=') + 1);
}

void BigIniFile::writeString(const std::string& section, const std::string& key, const std::string& value)
{
    if (key.empty()) {
        eraseSection(section);
        return;
    }
    // A value that could not be read back as written is refused here rather than changed.
    requireStorableEntry(m_path, section, key, value);
    std::string line = key + "=" + value;

    Section* target = findSection(section);
    if (!target) {
        m_sectionIndex.emplace(asciiLower(section), m_sections.size());
        m_sections.push_back(Section{section, {}, {}, false});
        target = &m_sections.back();
        m_hint = m_sections.size() - 1;
    }
    const std::size_t position = findLine(*target, key);
    if (position == std::string::npos) {
        if (auto lineKey = lowerKeyOf(line))
            target->keys.emplace(std::move(*lineKey), target->lines.size());
        target->lines.push_back(std::move(line));
        m_changed = true;
        return;
    }
    std::string& old = target->lines[position];
    if (old == line)
        return;
    old = std::move(line);
    m_changed = true;
}

std::int32_t BigIniFile::readInteger(const std::string& section, const std::string& key,
                                     std::int32_t defaultValue) const
{
    return parseInteger(readString(section, key, "")).value_or(defaultValue);
}

void BigIniFile::writeInteger(const std::string& section, const std::string& key, std::int32_t value)
{
    writeString(section, key, std::to_string(value));
}

bool BigIniFile::readBool(const std::string& section, const std::string& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void BigIniFile::writeBool(const std::string& section, const std::string& key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

void BigIniFile::eraseSection(const std::string& section)
{
    const Section* found = findSection(section);
    if (!found)
        return;
    m_sections.erase(m_sections.begin() + (found - m_sections.data()));
    indexSections();
    m_changed = true;
}

void BigIniFile::clearSection(const std::string& section)
{
    Section* found = findSection(section);
    if (!found || found->lines.empty())
        return;
    found->lines.clear();
    found->keys.clear();
    found->keysBuilt = true;
    m_changed = true;
}

void BigIniFile::flushFile()
{
    if (!m_changed || m_path.empty())
        return;
    SafeFileWriter writer(m_path, m_access);
    for (const Section& section : m_sections) {
        if (section.lines.empty())
            continue;
        writer.write("[" + section.name + "]\r\n");
        for (const std::string& line : section.lines) {
            writer.write(line);
            writer.write("\r\n");
        }
        writer.write("\r\n");
    }
    writer.commit();
    m_changed = false;
}

} // namespace pictaven
