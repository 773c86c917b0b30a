#include "app/ProgramFolder.h"
#include "cli/CatalogArgument.h"
#include "cli/Commands.h"
#include "ini/AsciiCase.h"
#include "publish/FtpProfile.h"
#include "publish/HostPort.h"
#include "publish/ProfileCheck.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace pictaven::cli {

namespace {

constexpr const char* usage =
    "usage: profile NAME.prf [--host HOST] [--port N] [--protocol FTP|FTPS|SFTP] [--user NAME] [--password]"
    " [--ftp-folder DIR] [--web-folder DIR] [--web ADDRESS] [--key-file FILE] [--trust SHA256:HEX]";

struct ProfileArguments {
    std::string name;
    std::map<std::string, std::string> values; // option -> value
    bool password = false;
};

ProfileArguments parseArguments(const std::vector<std::string>& args)
{
    static const char* const valued[] = {"--host", "--port", "--protocol", "--user", "--ftp-folder", "--web-folder",
                                         "--web", "--key-file", "--trust"};
    ProfileArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--password") {
            parsed.password = true;
        } else if (std::find(std::begin(valued), std::end(valued), arg) != std::end(valued)) {
            if (i + 1 == args.size())
                throw std::invalid_argument(usage);
            parsed.values[arg] = args[++i];
        } else if (arg.starts_with("--") || !parsed.name.empty()) {
            throw std::invalid_argument(usage);
        } else {
            parsed.name = arg;
        }
    }
    if (parsed.name.empty())
        throw std::invalid_argument(usage);
    return parsed;
}

// One line from standard input; on a terminal asked for with the echo off, so the password is
// never shown, and never taken from the command line, where other users could see it.
std::string readPassword()
{
    const bool terminal = ::isatty(STDIN_FILENO) != 0;
    termios saved{};
    if (terminal) {
        std::cerr << "Password: " << std::flush;
        ::tcgetattr(STDIN_FILENO, &saved);
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::string password;
    const bool got = static_cast<bool>(std::getline(std::cin, password));
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::cerr << '\n';
    }
    if (!got)
        throw std::runtime_error("no password on standard input");
    if (!password.empty() && password.back() == '\r')
        password.pop_back();
    return password;
}

// A fingerprint as a refusal prints it, "SHA256:" and 64 hex digits, in lower case; an empty text
// forgets the trusted one.
std::string trustedFingerprint(const std::string& text)
{
    if (text.empty())
        return text;
    const std::string prefix = "SHA256:";
    std::string hex = text.size() == prefix.size() + 64 && asciiLower(text.substr(0, prefix.size())) == asciiLower(prefix)
                          ? asciiLower(text.substr(prefix.size()))
                          : std::string();
    if (hex.empty() || hex.find_first_not_of("0123456789abcdef") != std::string::npos)
        throw std::invalid_argument("--trust takes a fingerprint as the upload printed it: SHA256: and 64 hex digits");
    return prefix + hex;
}

std::string profilePath(const std::string& name)
{
    if (name.find('/') != std::string::npos)
        return commandLinePath(name);
    const std::string folder = resolveProgramFolder() + "profiles";
    std::filesystem::create_directories(folder);
    return folder + "/" + name;
}

} // namespace

// Creates or changes an FTP profile file: the options given replace those fields, the others
// keep what the file holds. Prints the profile without its password.
int runProfileCommand(const std::vector<std::string>& args)
{
    const ProfileArguments parsed = parseArguments(args);
    const std::string path = profilePath(parsed.name);
    FtpProfile profile = FtpProfile::load(path);
    const auto& values = parsed.values;
    if (values.contains("--protocol")) {
        const auto protocol = parseProtocol(values.at("--protocol"));
        if (!protocol)
            throw std::invalid_argument("unknown protocol " + values.at("--protocol") + "; " + usage);
        if (*protocol != profile.protocol)
            profile.trustedKey.clear();
        profile.protocol = *protocol;
    }
    if (values.contains("--host") || values.contains("--port")) {
        HostPort target = parseHostPort(values.contains("--host") ? values.at("--host") : profile.ftp, profile.port());
        if (values.contains("--port"))
            target = parseHostPort("[" + target.host + "]:" + values.at("--port"), profile.port());
        const std::string host = target.host.find(':') != std::string::npos ? "[" + target.host + "]" : target.host;
        const std::string written = target.port == profile.port() ? host : host + ":" + std::to_string(target.port);
        if (written != profile.ftp)
            profile.trustedKey.clear();
        profile.ftp = written;
    }
    if (values.contains("--user"))
        profile.user = values.at("--user");
    if (values.contains("--ftp-folder"))
        profile.ftpHomeDirectory = values.at("--ftp-folder");
    if (values.contains("--web-folder"))
        profile.httpHomeDirectory = values.at("--web-folder");
    if (values.contains("--web"))
        profile.www = values.at("--web");
    if (values.contains("--key-file")) {
        // An empty name takes the key file away.
        const std::string& file = values.at("--key-file");
        profile.keyFile = file.empty() ? file : commandLinePath(file);
    }
    if (parsed.password)
        profile.password = readPassword();
    // After the host and protocol, whose change forgets an older key.
    if (values.contains("--trust"))
        profile.trustedKey = trustedFingerprint(values.at("--trust"));

    if (const std::string fault = profileFault(profile); !fault.empty())
        throw std::invalid_argument(fault);
    profile.write(path);
    // An older file may have been readable by others; it holds a password.
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::cout << "Profile  : " << path << '\n'
              << "Host     : " << profile.ftp << '\n'
              << "Protocol : " << protocolName(profile.protocol) << '\n'
              << "User     : " << profile.user << '\n'
              << "Password : " << (profile.password.empty() ? "(none)" : "(set)") << '\n'
              << "FTP folder: " << profile.ftpHomeDirectory << '\n'
              << "Web folder: " << profile.httpHomeDirectory << '\n'
              << "Web      : " << profile.www << '\n'
              << "Trusted  : " << (profile.trustedKey.empty() ? "(none)" : profile.trustedKey) << '\n';
    if (!profile.keyFile.empty())
        std::cout << "Key file : " << profile.keyFile << '\n';
    return 0;
}

} // namespace pictaven::cli
