#include "support/FtpsTestServer.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace pictaven::test {

FtpsTestServer::FtpsTestServer(const std::string& certificateName)
{
    m_pid = ::fork();
    if (m_pid == 0) {
        ::execl("/usr/bin/python3", "python3", FTPS_SERVER_SCRIPT, m_dir.path().c_str(), certificateName.c_str(),
                nullptr);
        ::_exit(127);
    }
    const auto ready = m_dir / "ready";
    for (int i = 0; i < 300 && !std::filesystem::exists(ready); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::ifstream in(ready);
    std::getline(in, port);
    std::getline(in, user);
    std::getline(in, password);
    std::getline(in, fingerprint);
    if (fingerprint.empty()) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        throw std::runtime_error("the FTPS test server did not start");
    }
}

FtpsTestServer::~FtpsTestServer()
{
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, nullptr, 0);
}

} // namespace pictaven::test
