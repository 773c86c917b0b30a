#include "support/CliRun.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <sys/wait.h>

namespace pictaven::test {

CliRun runCli(const std::filesystem::path& folder, const std::string& programFolder,
              const std::vector<std::string>& args)
{
    const std::string out = (folder / "stdout.txt").string();
    const std::string err = (folder / "stderr.txt").string();
    std::string command = "cd '" + folder.string() + "' && PICTAVEN_HOME='" + programFolder + "' '" PICTAVEN_CLI "'";
    for (const std::string& arg : args)
        command += " '" + arg + "'";
    command += " >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    CliRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readFile(out);
    run.err = readFile(err);
    return run;
}

} // namespace pictaven::test
