#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pictaven {

// The "Photo Album" box of step 2: entry 0 is the basic album, then one entry per picture
// ALBUMS/<name>.bmp, named without the extension. A template exists exactly when its picture
// does; its .CFG and .DEF may be missing.
class TemplateList {
public:
    static constexpr const char* basicEntry = "<Basic Photo Album>";
    static constexpr const char* basicFileName = "DEFAULT";

    // Only the basic entry.
    TemplateList();

    // The basic entry, then every regular file in `albumsFolder` whose name ends in ".bmp" in
    // any letter case, cut at its last ".", in alphabetical order without regard to case (names
    // equal but for case keep the file system's bytes order). A missing or unreadable folder
    // gives only the basic entry. Never throws for the folder's content.
    static TemplateList scan(const std::string& albumsFolder);

    const std::vector<std::string>& entries() const { return m_entries; }
    std::size_t size() const { return m_entries.size(); }
    bool contains(std::int32_t index) const { return index >= 0 && static_cast<std::size_t>(index) < m_entries.size(); }
    // The position of the entry spelled exactly `name` (case counts), if listed.
    std::optional<std::int32_t> find(const std::string& name) const;

    // The file `baseName` + `extension` (extension with its dot, e.g. ".CFG") in
    // `albumsFolder` (ending in "/"): the one whose name matches without regard to case when
    // there is one, else the name as spelled, so that it can be created.
    static std::string templateFile(const std::string& albumsFolder, const std::string& baseName,
                                    const std::string& extension);

    // The base name of a chosen entry's files: "DEFAULT" for entry 0, else the entry's text.
    // `entryText` is the entry's text as stored with the catalog.
    static std::string fileNameFor(std::int32_t index, const std::string& entryText);

private:
    std::vector<std::string> m_entries;
};

} // namespace pictaven
