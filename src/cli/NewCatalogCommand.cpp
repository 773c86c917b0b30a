#include "cli/CatalogArgument.h"
#include "cli/CliWorkspace.h"
#include "cli/Commands.h"
#include "cli/TerminalDialogs.h"
#include "ini/AsciiCase.h"
#include "ini/StorableText.h"
#include "session/CatalogCommands.h"
#include "session/PhotoList.h"
#include "session/TemplateCommands.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>

namespace pictaven::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage = "usage: new-catalog NAME.CAT --photos DIR [--template NAME] [--title TEXT]";

struct NewCatalogArguments {
    std::string catalog;
    std::string photos;
    std::optional<std::string> templateName;
    std::optional<std::string> title;
};

NewCatalogArguments parse(const std::vector<std::string>& args)
{
    NewCatalogArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw std::invalid_argument(arg + " needs a value; " + kUsage);
            return args[++i];
        };
        if (arg == "--photos")
            parsed.photos = value();
        else if (arg == "--template")
            parsed.templateName = value();
        else if (arg == "--title")
            parsed.title = value();
        else if (arg.starts_with("--") || !parsed.catalog.empty())
            throw std::invalid_argument("unexpected argument '" + arg + "'; " + kUsage);
        else
            parsed.catalog = arg;
    }
    if (parsed.catalog.empty() || parsed.photos.empty())
        throw std::invalid_argument(std::string("a catalog name and --photos are needed; ") + kUsage);
    return parsed;
}

// A catalog keeps no line break; such a text is refused before anything is written.
void requireStorable(const std::string& what, const std::string& text)
{
    if (!isStorableText(text))
        throw std::invalid_argument(
            what + " \"" + visibleLineBreaks(text) + "\" holds a line break, which a catalog cannot keep");
}

std::int32_t templateEntry(const Workspace& workspace, const std::string& name)
{
    const TemplateList& list = workspace.templateList();
    if (name == TemplateList::basicFileName)
        return 0;
    if (const auto entry = list.find(name))
        return *entry;
    std::string known;
    for (const std::string& entry : list.entries())
        known += (known.empty() ? "" : ", ") + entry;
    throw std::runtime_error("no template named '" + name + "'; the templates are: " + known);
}

} // namespace

// Makes a catalog of the photos of one folder, as adding all of them in step 1 and saving would:
// the files matching FileMask that pass the size limits, in name order, with the template and
// title given. An existing file is never replaced, and nothing is written when a photo, the
// folder or the title could not be kept in a catalog.
int runNewCatalogCommand(const std::vector<std::string>& args)
{
    const NewCatalogArguments parsed = parse(args);
    const fs::path catalogPath = commandLinePath(parsed.catalog);
    const fs::path photoFolder = commandLinePath(parsed.photos);
    if (asciiLower(catalogPath.filename().string()).find(".cat") == std::string::npos)
        throw std::invalid_argument("the catalog name must hold .CAT: " + parsed.catalog);
    std::error_code error;
    if (fs::exists(fs::symlink_status(catalogPath, error)))
        throw std::runtime_error(catalogPath.string() + " already exists; choose another name");
    if (!fs::is_directory(photoFolder, error))
        throw std::runtime_error(photoFolder.string() + " is not a folder");
    requireStorable("the photo folder", photoFolder.string());
    if (parsed.title)
        requireStorable("the title", *parsed.title);

    TerminalDialogs dialogs("pictaven-cli new-catalog");
    const auto workspace = startWorkspace(dialogs);
    if (parsed.templateName)
        changeTemplate(*workspace, templateEntry(*workspace, *parsed.templateName));

    Catalog& catalog = workspace->catalog();
    catalog.albumTitle = parsed.title.value_or("Untitled Album Title");
    const std::string folder = photoFolder.string();
    workspace->setStep1Folder(folder);
    catalog.sourceFolder = folder;
    workspace->photoList().sortByName();
    const int errorsBefore = dialogs.errorCount();
    workspace->photoList().addAll();
    // A photo that could not be added (its error is shown) would be missing from the album
    // without a trace in the catalog, so no catalog is written.
    if (dialogs.errorCount() != errorsBefore)
        throw std::runtime_error("no catalog was written, since not every photo could be added");

    catalog.folder = catalogPath.parent_path().string();
    catalog.name = catalogPath.filename().string();
    saveCatalog(*workspace);
    std::cout << catalogPath.string() << ": " << catalog.photos.size() << " photos, template "
              << catalog.templateName << '\n';
    std::cout.flush();
    return std::cout ? 0 : 1;
}

} // namespace pictaven::cli
