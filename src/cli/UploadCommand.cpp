#include "cli/CatalogArgument.h"
#include "cli/CliWorkspace.h"
#include "cli/Commands.h"
#include "cli/TerminalDialogs.h"
#include "ini/FilePaths.h"
#include "publish/RemoteConnection.h"
#include "publish/Uploader.h"
#include "session/Workspace.h"
#include "session/WorkspaceUpload.h"

#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace pictaven::cli {

namespace {

constexpr const char* usage =
    "usage: upload CATALOG.CAT [--profile NAME.prf] [--output DIR] [--verbose] [--no-overwrite] [--no-audio] "
    "[--sync [--delete-stale]]";

// Takes "--output DIR" out of the arguments; the rest are parsed as every catalog command's.
std::string takeOutputFolder(std::vector<std::string>& args)
{
    std::string folder;
    for (auto at = args.begin(); at != args.end();) {
        if (*at != "--output") {
            ++at;
            continue;
        }
        if (at + 1 == args.end() || !folder.empty())
            throw std::invalid_argument(usage);
        folder = *(at + 1);
        at = args.erase(at, at + 2);
    }
    return folder;
}

// The failure in words a person can act on; the status text alone says the same for all.
std::string causeOf(ErrorKind failure)
{
    switch (failure) {
    case ErrorKind::ConnectionRefused:
        return "connection refused (no server listens on that host and port)";
    case ErrorKind::UnknownHost:
        return "unknown host";
    case ErrorKind::TimedOut:
        return "time-out (the host did not answer)";
    case ErrorKind::LogInRefused:
        return "log-in refused (check the user and password with pictaven-cli profile)";
    case ErrorKind::NotTrusted:
        return "certificate or host key refused (when the fingerprint shown is your server's, trust it with "
               "pictaven-cli profile NAME.prf --trust FINGERPRINT)";
    case ErrorKind::Other:
    case ErrorKind::ConnectionLost:
    case ErrorKind::Refused:
    case ErrorKind::NotFound:
    case ErrorKind::NoSpace:
    case ErrorKind::Cancelled:
        break;
    }
    return "connection failed";
}

} // namespace

// Publishes the album generated for a catalog, as step 5 does: the catalog's output folder,
// upload directory and passive switch, the FTP profile's account.
int runUploadCommand(const std::vector<std::string>& arguments)
{
    std::vector<std::string> args = arguments;
    const std::string output = takeOutputFolder(args);
    const ProfileCommandArguments parsed =
        parseProfileCommand(args, {"--verbose", "--no-overwrite", "--no-audio", "--sync", "--delete-stale"}, usage);
    if (parsed.switches.contains("--delete-stale") && !parsed.switches.contains("--sync"))
        throw std::invalid_argument(usage);
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
    job.syncUpload = parsed.switches.contains("--sync");
    job.deleteStale = parsed.switches.contains("--delete-stale");
    if (!output.empty()) {
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::canonical(commandLinePath(output), error);
        if (error)
            throw std::runtime_error("no such folder: " + output);
        job.outputFolder = withTrailingSlash(folder.string());
    }
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

    RemoteConnection session;
    Uploader uploader(session, observer);
    const int errorsBefore = dialogs.errorCount();
    if (uploader.run(job) == UploadResult::Finished)
        return 0;
    // Some failures end the upload with a status text alone; the failure still belongs on
    // standard error, and the cause of a failed connection after it.
    if (dialogs.errorCount() == errorsBefore)
        dialogs.showError("the upload did not finish: " + lastStatus);
    if (!uploader.connectFailureText().empty())
        dialogs.showError("cause: " + causeOf(uploader.connectFailure()) + ": " + uploader.connectFailureText());
    return 1;
}

} // namespace pictaven::cli
