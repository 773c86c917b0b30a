#pragma once

#include <functional>
#include <set>
#include <string>

namespace pictaven {

// The files that generation wrote into an output folder, listed in the hidden file
// ".pictaven-generated" of that folder, one name a line (as escapedField writes it). Clearing
// the folder deletes only the files listed there, so a folder that also holds other files (a
// catalog, notes, a program's settings) loses none of them. Each name is added before its file is written, so a
// run killed part way still leaves every file it began listed. The upload sends only the
// album's files, never this one.
//
// A listed name counts only when it is a plain file name: empty names, "." and "..", names with
// a "/" and the record's own name are ignored, so that no record, however it was made, can lead
// the clearing out of the folder or into a folder below it.
class OutputFolderRecord {
public:
    static constexpr const char* fileName = ".pictaven-generated";

    // Reads the record of `folder` (ending in "/"). A record that is missing, is not a plain
    // file or cannot be read lists nothing. Never throws.
    explicit OutputFolderRecord(std::string folder);

    // The names listed, each once.
    const std::set<std::string>& names() const { return m_names; }

    // Deletes the temporary files that a killed run left of listed files. Failures are ignored.
    void removeLeftovers() const;

    // Deletes the listed names that are plain files of the folder (not folders or links) and
    // for which `keep` is false, read-only ones too; each deleted name leaves the list. Failures
    // are ignored.
    void clear(const std::function<bool(const std::string& name)>& keep);

    // Rewrites the record, in name order, with the listed names that are still files of the
    // folder; an empty list removes the record. Replaces the record whole. Throws IoError.
    void save();

    // Adds the file name of `path` to the record of the folder it lies in, before the file is
    // written. Safe from several threads and processes at once. Throws IoError naming the record.
    static void add(const std::string& path);

private:
    std::string m_folder;
    std::set<std::string> m_names;
};

} // namespace pictaven
