#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace pictaven::test {

// What one run of the built pictaven-cli left.
struct CliRun {
    int status = -1; // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs pictaven-cli as an outside program with `folder` as its working folder (its standard
// output and error are kept there in files) and PICTAVEN_HOME set to `programFolder`. Arguments
// must not hold a "'".
CliRun runCli(const std::filesystem::path& folder, const std::string& programFolder,
              const std::vector<std::string>& args);

} // namespace pictaven::test
