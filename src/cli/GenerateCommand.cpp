#include "cli/CatalogArgument.h"
#include "cli/CliWorkspace.h"
#include "cli/Commands.h"
#include "cli/TerminalDialogs.h"
#include "generate/AlbumGenerator.h"
#include "generate/GenerationControl.h"
#include "ini/FilePaths.h"
#include "ini/IntegerText.h"
#include "session/Workspace.h"
#include "session/WorkspaceGeneration.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>

namespace pictaven::cli {

namespace {

constexpr const char* usage = "usage: generate CATALOG.CAT [--output DIR] [--jobs N]";

struct GenerateArguments {
    std::string catalog;
    std::optional<std::string> output;
    int jobs = 0;
};

GenerateArguments parseArguments(const std::vector<std::string>& args)
{
    GenerateArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--output" || arg == "--jobs") {
            if (i + 1 == args.size())
                throw std::invalid_argument(arg + " needs a value; " + usage);
            const std::string& value = args[++i];
            if (arg == "--output") {
                parsed.output = value;
                continue;
            }
            const std::optional<std::int32_t> jobs = parseInteger(value);
            if (!jobs || *jobs < 1)
                throw std::invalid_argument("--jobs needs a whole number of 1 or more, not '" + value + "'");
            parsed.jobs = *jobs;
        } else if (arg.starts_with("--") || !parsed.catalog.empty()) {
            throw std::invalid_argument("unexpected argument '" + arg + "'; " + usage);
        } else {
            parsed.catalog = arg;
        }
    }
    if (parsed.catalog.empty())
        throw std::invalid_argument(std::string("no catalog given; ") + usage);
    return parsed;
}

} // namespace

// Generates a catalog's album as step 4 does. Status texts and progress go to standard output,
// boxes to standard error; the exit status is 0 only for a finished album or preview page.
int runGenerateCommand(const std::vector<std::string>& args)
{
    const GenerateArguments arguments = parseArguments(args);
    namespace fs = std::filesystem;
    const std::string catalog = catalogArgument(arguments.catalog);
    std::optional<fs::path> output;
    if (arguments.output)
        output = commandLinePath(*arguments.output);

    TerminalDialogs dialogs("pictaven-cli generate");
    std::unique_ptr<Workspace> workspace = startWorkspace(dialogs);
    openCatalogArgument(*workspace, catalog);
    if (output) {
        const fs::path& folder = *output;
        fs::create_directories(folder);
        OutputFolderState& folders = workspace->outputFolders();
        folders.treeFolder = fs::canonical(folder).string();
        folders.outputFolder = withTrailingSlash(folders.treeFolder);
    }

    std::string lastPercentage;
    GenerationEvents events;
    events.status = [&](const std::string& text) { std::cout << text << '\n'; };
    events.percentage = [&](const std::string& text) {
        if (text == lastPercentage)
            return;
        lastPercentage = text;
        std::cout << "Progress: " << text << '\n';
    };
    events.logMessage = [&](const std::string& text) { workspace->logMessage(text); };
    events.showError = [&](const std::string& text) { dialogs.showError(text); };

    GenerationControl control;
    AlbumGenerator generator(makeAlbumJob(*workspace), events, control, arguments.jobs);
    const GenerationOutcome outcome = generator.generate();
    applyGenerationResult(*workspace, generator);
    std::cout.flush();
    if (!succeeded(outcome))
        return 1;
    std::cout << "Photo Album URL : " << generator.entryPagePath() << '\n';
    return 0;
}

} // namespace pictaven::cli
