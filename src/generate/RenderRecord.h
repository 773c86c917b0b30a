#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace pictaven
{

// Who a file is on disk: any change of its content changes its status-change time, which no
// program can set back, and a replacement also its inode.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0; // nanoseconds since 1970
    std::int64_t changed = 0; // status change, nanoseconds since 1970
    bool operator==(const FileIdentity&) const = default;

    // The plain file at `path`, links followed; nullopt for anything else or nothing.
    static std::optional<FileIdentity> ofSource(const std::string& path);
    // The plain file at `path` itself, not a link; nullopt for anything else or nothing.
    static std::optional<FileIdentity> ofOutput(const std::string& path);
};

// A photo source as a render is about to read it.
struct SourceState {
    std::optional<FileIdentity> identity;
    // SHA-256 of its content, taken when its identity alone will not prove it unchanged later:
    // it changed so shortly before the generation began that a change within the clock's
    // granularity would leave the same times.
    std::string sha256;
};

// What each rendered photo, converted photo and thumbnail file of an output folder was made
// from, kept in the hidden file ".pictaven-rendered" beside the files, so that a generation
// renders again only what would come out differently:
//
//   Pictaven render record 1 <program version>
//   folder <output folder>
//   checked <nanoseconds since 1970 when the generation that wrote it began>
//   <file name> TAB <source path> TAB <source identity> TAB <source SHA-256 or -> TAB <recipe> TAB <file
//   identity>
//
// (names as escapedField writes them; an identity is device, inode, size, modification and
// change time in decimal, separated by blanks). The recipe is a digest of every setting that
// shapes the file (PhotoRenderer::recipe, ThumbnailRenderer::recipe). A record that is missing,
// does not read back as written, comes from another version of the program or names another
// folder proves nothing, so everything is rendered.
//
// One record serves one generation: it reads the folder's record, carries each file it proves
// current into the new one, adds each file as it is written, and replaces the record whole. A
// run killed part way leaves a record that lists only files written whole, as long as the new
// record is saved once after the checks (dropping what will be rewritten) and again at the end.
class RenderRecord
{
public:
    static constexpr const char* fileName = ".pictaven-rendered";

    // Reads the record of `folder` (ending in "/"); the generation begins now. Never throws.
    explicit RenderRecord(std::string folder);

    // Whether the file `name` of the folder is what rendering `source` with `recipe` makes
    // now: the record lists it as made so, the file is still the one written then, and the
    // source has kept its identity (or else its content). A proven file is carried into the
    // new record. Never throws.
    bool current(const std::string& name, const std::string& source, const std::string& recipe);
    // Whether the new record lists `name`.
    bool lists(const std::string& name) const { return m_files.contains(name); }

    // The source as a render is about to read it. Safe on any thread. Never throws.
    SourceState sourceState(const std::string& source) const;
    // Lists the file `name` as just written whole from `source`, which was in `state` before it
    // was read, with `recipe`. A file that is not there, or a source that was not, is not listed.
    void written(const std::string& name, const std::string& source, const SourceState& state,
        const std::string& recipe);

    // Replaces the folder's record whole with the new one. Throws IoError.
    void save() const;

private:
    struct Entry {
        std::string source;
        FileIdentity sourceIdentity;
        std::string sourceSha256; // empty when the identity proves the content
        std::string recipe;
        FileIdentity output;
    };

    bool trusted(const FileIdentity& identity, std::int64_t checked) const;
    std::string contentOf(const std::string& source);
    void read();

    std::string m_folder;
    std::int64_t m_begun; // this generation
    std::int64_t m_checked = 0; // the generation of the record read
    std::map<std::string, Entry> m_earlier; // the record read
    std::map<std::string, Entry> m_files; // the new record
    std::map<std::string, std::string> m_contents; // SHA-256 of sources hashed by current()
};

} // namespace pictaven
