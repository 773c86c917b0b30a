#pragma once

#include <string>

namespace pictaven {

// The album being edited. One instance, owned by the Workspace.
struct Catalog {
    // File name with extension ("Holiday.CAT"); empty while the catalog is unnamed.
    std::string name;
    // Where the catalog is saved, without a trailing "/".
    std::string folder;
    // Full path opened by the last-catalog entry of the File menu.
    std::string lastCatalogPath;
    // Unsaved changes exist.
    bool modified = false;
};

} // namespace pictaven
