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
    std::string catalogPath;
    std::string profile;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--profile" && i + 1 < args.size())
            profile = args[++i];
        else if (arg.starts_with("--") || !catalogPath.empty())
            throw std::invalid_argument("unexpected argument '" + arg + "'; " + usage);
        else
            catalogPath = arg;
    }
    if (catalogPath.empty())
        throw std::invalid_argument(std::string("no catalog given; ") + usage);
    const std::string catalog = catalogArgument(catalogPath);

    TerminalDialogs dialogs("pictaven-cli report");
    std::unique_ptr<Workspace> workspace = startWorkspace(dialogs);
    openCatalogArgument(*workspace, catalog);

    DiagnosticReportInputs inputs = diagnosticReportInputs(*workspace, true);
    if (!profile.empty()) {
        const std::string path = profileArgument(profile, *workspace);
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
