#pragma once

#include <string>
#include <vector>

namespace pictaven::cli {

// One sub-command of pictaven-cli. `run` gets the arguments after the command's name and
// returns the process's exit status; it may throw, and main prints the message.
struct Command {
    const char* name;
    const char* usage;   // arguments, e.g. "FILE [--catalog]"
    const char* summary; // one line for --help
    int (*run)(const std::vector<std::string>& args);
};

const std::vector<Command>& commands();

int runInfoCommand(const std::vector<std::string>& args);
int runConvertCommand(const std::vector<std::string>& args);

int runSettingsCommand(const std::vector<std::string>& args);
int runDefaultTemplateCommand(const std::vector<std::string>& args);
int runNewCatalogCommand(const std::vector<std::string>& args);
int runGenerateCommand(const std::vector<std::string>& args);
int runUploadCommand(const std::vector<std::string>& args);
int runProfileCommand(const std::vector<std::string>& args);
int runReportCommand(const std::vector<std::string>& args);

} // namespace pictaven::cli
