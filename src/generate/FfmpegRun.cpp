#include "generate/FfmpegRun.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string_view>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace pictaven {

namespace {

using Clock = std::chrono::steady_clock;

// How long a wait for ffmpeg's output lasts before the cancel request and the silence limit are
// looked at again.
constexpr int pollMilliseconds = 100;
// How long ffmpeg may take to end on SIGTERM before SIGKILL ends it: its output is thrown away,
// so it gets no time to finish writing it.
constexpr auto stopGrace = std::chrono::milliseconds(300);
constexpr auto reapStep = std::chrono::milliseconds(10);
// What is kept of ffmpeg's messages: the end, where its reason for failing stands.
constexpr std::size_t keptMessages = 8192;
// A line of its progress report is a key and a number; anything longer is not read.
constexpr std::size_t longestProgressLine = 1024;
// What is shown of ffmpeg's message in an error.
constexpr std::size_t shownMessage = 300;
// glibc reserves 64 MiB of address space for each thread's heap, up to eight per core: with
// fewer, the address-space limit leaves the same room for frames on a machine of many cores.
constexpr const char* heapArenas = "MALLOC_ARENA_MAX=4";
constexpr int progressFd = 3;
// The pipes' ends get numbers above those they take in the child, so that placing one there
// never overwrites another.
constexpr int firstFreeFd = progressFd + 1;
// The exit status of a child that could not become ffmpeg (the shell's "command not executable").
constexpr int execFailed = 127;
// The wait status of a child that was reaped by someone else (SIGCHLD ignored): unknown.
constexpr int lostStatus = -1;

std::string systemMessage(int error)
{
    return std::generic_category().message(error);
}

// A file descriptor owned alone.
class Fd {
public:
    explicit Fd(int fd = -1)
        : m_fd(fd)
    {
    }
    Fd(Fd&& other) noexcept
        : m_fd(std::exchange(other.m_fd, -1))
    {
    }
    Fd& operator=(Fd&& other) noexcept
    {
        reset(std::exchange(other.m_fd, -1));
        return *this;
    }
    ~Fd() { reset(); }

    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

[[noreturn]] void failToStart(int error)
{
    throw FfmpegError("ffmpeg could not be started: " + systemMessage(error));
}

// `fd`, moved to a number of at least firstFreeFd, close-on-exec.
Fd highFd(int fd)
{
    if (fd >= firstFreeFd)
        return Fd(fd);
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, firstFreeFd);
    const int error = errno;
    ::close(fd);
    if (moved < 0)
        failToStart(error);
    return Fd(moved);
}

struct Pipe {
    Fd read;
    Fd write;
};

Pipe makePipe()
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        failToStart(errno);
    Fd write(ends[1]);
    Pipe pipe;
    pipe.read = highFd(ends[0]);
    pipe.write = highFd(write.release());
    return pipe;
}

// The ffmpeg program on PATH.
std::string ffmpegProgram()
{
    const char* path = std::getenv("PATH");
    const std::string_view folders = path ? path : "/usr/bin:/bin";
    for (std::size_t start = 0; start <= folders.size();) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string_view folder = folders.substr(start, end - start);
        const std::string candidate = std::string(folder.empty() ? "." : folder) + "/ffmpeg";
        struct stat file { };
        if (::stat(candidate.c_str(), &file) == 0 && S_ISREG(file.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    throw FfmpegError("the ffmpeg program is not installed; videos are published with it (Debian's package ffmpeg)");
}

// The running ffmpeg; ended and reaped when it goes out of scope.
class Child {
public:
    Child(const std::string& program, const std::vector<std::string>& arguments, const FfmpegLimits& limits, int input,
          int messages, int progress);
    ~Child() { stop(); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // Whether the child has ended (its wait status then in `status`, or lostStatus), without waiting.
    bool ended(int& status);
    // SIGTERM, then SIGKILL after the grace; reaps it.
    void stop();

private:
    pid_t m_pid = -1;
};

Child::Child(const std::string& program, const std::vector<std::string>& arguments, const FfmpegLimits& limits,
             int input, int messages, int progress)
{
    // Everything the child uses is made before fork: between fork and exec only async-signal-safe
    // calls may be made, as another thread may hold a lock (malloc's) that the child would wait
    // for forever.
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (char** variable = environ; *variable; ++variable) {
        if (!std::string_view(*variable).starts_with("MALLOC_ARENA_MAX="))
            envp.push_back(*variable);
    }
    envp.push_back(const_cast<char*>(heapArenas));
    envp.push_back(nullptr);
    const rlim_t addressSpace = static_cast<rlim_t>(limits.addressSpaceBytes);
    const rlimit memory{addressSpace, addressSpace};
    const pid_t parent = ::getpid();
    // The child reports why it could not exec (errno) through this pipe, which exec closes.
    Pipe execStatus = makePipe();
    const int statusFd = execStatus.write.get();

    m_pid = ::fork();
    if (m_pid < 0)
        failToStart(errno);
    if (m_pid == 0) {
        const auto fail = [statusFd] {
            const int error = errno;
            static_cast<void>(::write(statusFd, &error, sizeof error));
            ::_exit(execFailed);
        };
        // A child left behind by a killed program would go on writing into the album's folder.
        if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != parent)
            fail();
        // The address-space limit is the memory bound: a file that claims huge frames, or a
        // decoder that a hostile file sends astray, fails to allocate instead of taking the
        // machine's memory.
        if (::setrlimit(RLIMIT_AS, &memory) != 0)
            fail();
        sigset_t nothingBlocked;
        sigemptyset(&nothingBlocked);
        struct sigaction byDefault { };
        byDefault.sa_handler = SIG_DFL;
        if (::sigprocmask(SIG_SETMASK, &nothingBlocked, nullptr) != 0 ||
            ::sigaction(SIGPIPE, &byDefault, nullptr) != 0 || ::dup2(input, STDIN_FILENO) < 0 ||
            ::dup2(messages, STDOUT_FILENO) < 0 || ::dup2(messages, STDERR_FILENO) < 0 ||
            ::dup2(progress, progressFd) < 0)
            fail();
        // Descriptors that other threads opened without close-on-exec (album files, sockets)
        // stay here.
        ::close_range(firstFreeFd, statusFd - 1, 0);
        ::close_range(statusFd + 1, ~0U, 0);
        ::execve(argv[0], argv.data(), envp.data());
        fail();
    }
    execStatus.write.reset();
    int error = 0;
    ssize_t got = 0;
    while ((got = ::read(execStatus.read.get(), &error, sizeof error)) < 0 && errno == EINTR) { }
    if (got == sizeof error) {
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) { }
        m_pid = -1;
        failToStart(error);
    }
}

bool Child::ended(int& status)
{
    if (m_pid < 0)
        return true;
    const pid_t reaped = ::waitpid(m_pid, &status, WNOHANG);
    if (reaped == 0 || (reaped < 0 && errno == EINTR))
        return false;
    if (reaped < 0)
        status = lostStatus;
    m_pid = -1;
    return true;
}

void Child::stop()
{
    if (m_pid < 0)
        return;
    int status = 0;
    ::kill(m_pid, SIGTERM);
    for (const auto deadline = Clock::now() + stopGrace; Clock::now() < deadline;) {
        if (ended(status))
            return;
        std::this_thread::sleep_for(reapStep);
    }
    ::kill(m_pid, SIGKILL);
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) { }
    m_pid = -1;
}

// The last line of ffmpeg's messages that says something, fit for an error message.
std::string lastMessage(const std::string& messages)
{
    const std::size_t end = messages.find_last_not_of(" \r\n");
    if (end == std::string::npos)
        return {};
    const std::size_t newline = messages.find_last_of("\r\n", end);
    const std::size_t start = newline == std::string::npos ? 0 : newline + 1;
    std::string line = messages.substr(start, std::min(end + 1 - start, shownMessage));
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 32 || c == 127)
            c = '?';
    }
    return line;
}

std::string failure(int status, const std::string& messages)
{
    const std::string said = lastMessage(messages);
    if (status == lostStatus)
        return "how ffmpeg ended could not be learned";
    if (WIFSIGNALED(status)) {
        const char* name = sigabbrev_np(WTERMSIG(status));
        return "ffmpeg ended on signal " + (name ? "SIG" + std::string(name) : std::to_string(WTERMSIG(status))) +
               (said.empty() ? "" : " after saying: " + said);
    }
    return said.empty() ? "ffmpeg failed with status " + std::to_string(WEXITSTATUS(status)) : "ffmpeg: " + said;
}

// Adds `bytes` to ffmpeg's messages, of which only the end is kept.
void keepEnd(std::string& messages, std::string_view bytes)
{
    messages.append(bytes);
    if (messages.size() > keptMessages)
        messages.erase(0, messages.size() - keptMessages);
}

// Reads ffmpeg's progress report ("key=value" lines) and passes out_time on as a part done.
class ProgressReader {
public:
    ProgressReader(double durationSeconds, const std::function<void(double)>& progress)
        : m_durationMicroseconds(durationSeconds * 1e6)
        , m_progress(progress)
    {
    }

    void add(std::string_view bytes)
    {
        for (const char c : bytes) {
            if (c != '\n') {
                if (m_line.size() < longestProgressLine)
                    m_line += c;
                continue;
            }
            take(m_line);
            m_line.clear();
        }
    }

private:
    void take(std::string_view line) const
    {
        constexpr std::string_view key = "out_time_us=";
        if (!m_progress || m_durationMicroseconds <= 0 || !line.starts_with(key))
            return;
        line.remove_prefix(key.size());
        std::int64_t microseconds = 0;
        const auto [stop, error] = std::from_chars(line.data(), line.data() + line.size(), microseconds);
        if (error == std::errc() && stop == line.data() + line.size())
            m_progress(std::clamp(static_cast<double>(microseconds) / m_durationMicroseconds, 0.0, 1.0));
    }

    double m_durationMicroseconds;
    const std::function<void(double)>& m_progress;
    std::string m_line;
};

} // namespace

std::string runFfmpeg(const std::vector<std::string>& arguments, double durationSeconds,
                      const std::function<void(double)>& progress, const std::atomic<bool>& cancel,
                      const FfmpegLimits& limits)
{
    const std::string program = ffmpegProgram();
    std::vector<std::string> command{"-nostdin", "-hide_banner", "-nostats", "-progress",
                                     "pipe:" + std::to_string(progressFd)};
    command.insert(command.end(), arguments.begin(), arguments.end());

    Pipe messages = makePipe();
    Pipe report = makePipe();
    const int nullFd = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (nullFd < 0)
        failToStart(errno);
    Fd nothing = highFd(nullFd);
    Child child(program, command, limits, nothing.get(), messages.write.get(), report.write.get());
    // Only the child holds the writing ends now, so the pipes end when it does.
    messages.write.reset();
    report.write.reset();
    nothing.reset();

    std::string said;
    ProgressReader reader(durationSeconds, progress);
    pollfd ends[] = {{messages.read.get(), POLLIN, 0}, {report.read.get(), POLLIN, 0}};
    auto lastOutput = Clock::now();
    int status = 0;
    bool ended = false;
    while (!ended) {
        if (cancel.load()) {
            child.stop();
            throw FfmpegCancelled("cancelled");
        }
        if (Clock::now() - lastOutput > limits.silence) {
            child.stop();
            throw FfmpegError("ffmpeg was stopped after " +
                              std::to_string(std::chrono::duration_cast<std::chrono::seconds>(limits.silence).count()) +
                              " seconds without progress");
        }
        const bool open = ends[0].fd >= 0 || ends[1].fd >= 0;
        if (!open) {
            // Both pipes have ended: the child is exiting, or has closed them and goes on.
            ended = child.ended(status);
            if (!ended)
                std::this_thread::sleep_for(reapStep);
            continue;
        }
        if (::poll(ends, 2, pollMilliseconds) < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            child.stop();
            throw FfmpegError("ffmpeg's output could not be read: " + systemMessage(error));
        }
        for (pollfd& end : ends) {
            if (end.fd < 0 || end.revents == 0)
                continue;
            char buffer[4096];
            const ssize_t got = ::read(end.fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                end.fd = -1;
                continue;
            }
            lastOutput = Clock::now();
            const std::string_view bytes(buffer, static_cast<std::size_t>(got));
            if (&end == &ends[1])
                reader.add(bytes);
            else
                keepEnd(said, bytes);
        }
    }
    if (status == lostStatus || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw FfmpegError(failure(status, said));
    return said;
}

const std::string& ffmpegVersion()
{
    static const std::string version = [] {
        const std::atomic<bool> never{false};
        try {
            return runFfmpeg({"-version"}, 0, {}, never);
        } catch (const std::runtime_error&) {
            return std::string();
        }
    }();
    return version;
}

} // namespace pictaven
