#include "cli/Commands.h"

namespace pictaven::cli {

// Each command lives in a file of its own; this table is the one place that lists them.

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        {"info", "FILE...", "Print each picture's format, width and height, or why it cannot be read.", runInfoCommand},
        {"convert", "IN OUT.jpg [--quality Q]", "Write a picture of any supported format as JPEG (quality Compression2 or Q).", runConvertCommand},
        {"settings", "FILE [--catalog | --template]", "Print every album setting as reading FILE as a template (or as a catalog; the default for a .CAT file) leaves it.", runSettingsCommand},
        {"default-template", "FILE", "Write every template key at its default into FILE.", runDefaultTemplateCommand},
        {"new-catalog", "NAME.CAT --photos DIR [--template NAME] [--title TEXT]", "Make a catalog of the photos of DIR that the file mask and size limits accept, in name order.", runNewCatalogCommand},
        {"generate", "CATALOG.CAT [--output DIR] [--jobs N]", "Generate the catalog's album (into DIR; photos rendered on N threads, default all cores).", runGenerateCommand},
        {"upload", "CATALOG.CAT [--profile NAME.prf] [--output DIR] [--verbose] [--no-overwrite] [--no-audio] [--sync [--delete-stale]]", "Upload the album generated for the catalog (or found in DIR) to its FTP profile's server (exit status 0 on \"FTP finished.\"); --sync sends only new or changed files, --delete-stale also removes the files of earlier uploads that the album no longer has.", runUploadCommand},
        {"profile", "NAME.prf [--host HOST] [--port N] [--protocol FTP|FTPS|SFTP] [--user NAME] [--password] [--ftp-folder DIR] [--web-folder DIR] [--web ADDRESS] [--key-file FILE] [--trust SHA256:HEX]", "Create or change an FTP profile; --password reads the password from standard input, asked without echo on a terminal; --key-file names the private key SFTP logs in with; --trust accepts a server certificate or host key by the fingerprint that a refused upload printed.", runProfileCommand},
        {"report", "CATALOG.CAT [--profile NAME.prf]", "Print the diagnostic report of the catalog's album settings, FTP profile and compression settings.", runReportCommand},
    };
    return table;
}

} // namespace pictaven::cli
