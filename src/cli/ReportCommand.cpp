#include "cli/CatalogArgument.h"
#include "cli/CliWorkspace.h"
#include "cli/Commands.h"
#include "cli/TerminalDialogs.h"
#include "session/DiagnosticReport.h"
#include "session/Workspace.h"

#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace pictaven::cli {

namespace {

constexpr const char* usage = "usage: report CATALOG.CAT [--profile NAME.prf]";

} // namespace

// Prints the diagnostic report of "View Log" for a catalog, with step 5's overwrite box as it
// starts (checked).
int runReportCommand(const std::vector<std::string>& args)
{
    const ProfileCommandArguments parsed = parseProfileCommand(args, {}, usage);
    const std::string catalog = catalogArgument(parsed.catalog);

    TerminalDialogs dialogs("pictaven-cli report");
    std::unique_ptr<Workspace> workspace = startWorkspace(dialogs);
    openCatalogArgument(*workspace, catalog);

    DiagnosticReportInputs inputs = diagnosticReportInputs(*workspace, true);
    if (!parsed.profile.empty()) {
        const std::string path = profileArgument(parsed.profile, *workspace);
        inputs.profile = FtpProfile::load(path);
        inputs.profileName = std::filesystem::path(path).filename().string();
    }
    for (const std::string& line : diagnosticReport(inputs))
        std::cout << line << '\n';
    std::cout.flush();
    if (!std::cout)
        throw std::runtime_error("the report could not be written to standard output");
    return 0;
}

} // namespace pictaven::cli
