#pragma once

#include <string>

namespace pictaven {

class StepNavigator;
class Workspace;

// The catalog named on the command line, as `pictaven trip.cat` or a file manager's double click
// passes it: opened after the first show as "Open Catalog.." opens a chosen file, a relative path
// taken against `startFolder`, the folder the program was started in. A file that is missing,
// cannot be read or is not a catalog (no ".CAT" in any case) is reported, and the program goes
// on with its empty catalog; an error while opening is shown as Open shows it. Never throws.
void openStartCatalog(Workspace& workspace, StepNavigator& navigator, const std::string& argument,
                      const std::string& startFolder);

} // namespace pictaven
