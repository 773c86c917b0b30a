#include "cli/CatalogArgument.h"
#include "cli/CliWorkspace.h"
#include "cli/Commands.h"
#include "cli/TerminalDialogs.h"
#include "publish/FtpSession.h"
#include "publish/Uploader.h"
#include "session/Workspace.h"
#include "session/WorkspaceUpload.h"

#include <iostream>
#include <stdexcept>

namespace pictaven::cli {

namespace {

constexpr const char* usage = "usage: upload CATALOG.CAT [--profile NAME.prf] [--verbose] [--no-overwrite] [--no-audio]";

} // namespace

// Publishes the album generated for a catalog, as step 5 does: the catalog's output folder,
// upload directory and passive switch, the FTP profile's account.
int runUploadCommand(const std::vector<std::string>& args)
{
    const ProfileCommandArguments parsed =
        parseProfileCommand(args, {"--verbose", "--no-overwrite", "--no-audio"}, usage);
    const bool verbose = parsed.switches.contains("--verbose");
    const std::string catalog = catalogArgument(parsed.catalog);

    TerminalDialogs dialogs("pictaven-cli upload");
    std::unique_ptr<Workspace> workspace = startWorkspace(dialogs);
    openCatalogArgument(*workspace, catalog);

    UploadJob job = makeUploadJob(*workspace);
    if (!parsed.profile.empty())
        job.profile = FtpProfile::load(profileArgument(parsed.profile, *workspace));
    job.overwritePhotos = !parsed.switches.contains("--no-overwrite");
    job.uploadAudio = !parsed.switches.contains("--no-audio");
    findGeneratedAlbum(job, *workspace);

    std::string lastStatus;
    UploadObserver observer;
    observer.status = [&](const std::string& text) {
        lastStatus = text;
        std::cout << text << std::endl;
    };
    if (verbose)
        observer.log = [](const std::string& line) { std::cout << "  " << line << std::endl; };
    observer.logMessage = [&](const std::string& text) { workspace->logMessage(text); };
    observer.warning = [&](const std::string& text) { dialogs.showWarning(text); };
    observer.error = [&](const std::string& text) { dialogs.showError(text); };

    FtpSession session;
    Uploader uploader(session, observer);
    const int errorsBefore = dialogs.errorCount();
    if (uploader.run(job))
        return 0;
    // Some failures end the upload with a status text alone; the failure still belongs on
    // standard error.
    if (dialogs.errorCount() == errorsBefore)
        dialogs.showError("the upload did not finish: " + lastStatus);
    return 1;
}

} // namespace pictaven::cli
