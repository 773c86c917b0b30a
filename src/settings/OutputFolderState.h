#pragma once

#include <functional>
#include <string>

namespace pictaven {

// The step 3 folders that reading a catalog's OutputFolder acts on. The workspace owns one and
// passes it to readConfigFile.
struct OutputFolderState {
    std::string treeFolder; // the folder the step 3 folder tree shows
    std::string outputFolder; // the current output folder, ending in "/"
    // Run each time the tree moves to another folder (treeFolder and outputFolder are already
    // updated then), so that the owner applies the rest of its output-folder change rule.
    // May be empty.
    std::function<void()> onTreeMoved;
};

} // namespace pictaven
