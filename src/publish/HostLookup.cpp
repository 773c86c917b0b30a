#include "publish/HostLookup.h"

#include "publish/FtpError.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <thread>

namespace pictaven {

namespace {

int resolve(
    const std::string& host, const std::string& service, int flags, std::vector<ResolvedAddress>& found)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = flags;
    addrinfo* list = nullptr;
    const int status = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &list);
    if (status != 0)
        return status;
    for (const addrinfo* entry = list; entry; entry = entry->ai_next) {
        if (entry->ai_addrlen > sizeof(sockaddr_storage))
            continue;
        ResolvedAddress address;
        address.family = entry->ai_family;
        std::memcpy(&address.address, entry->ai_addr, entry->ai_addrlen);
        address.length = entry->ai_addrlen;
        found.push_back(address);
    }
    ::freeaddrinfo(list);
    return 0;
}

// Shared between the caller and the lookup thread, which may outlive the caller's wait.
struct PendingLookup {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    int status = 0;
    std::vector<ResolvedAddress> addresses;
};

} // namespace

int resolveWithSystem(
    const std::string& host, const std::string& service, std::vector<ResolvedAddress>& found)
{
    return resolve(host, service, 0, found);
}

std::vector<ResolvedAddress> lookUpHost(
    const std::string& host, std::uint16_t port, int timeoutMs, const HostResolver& resolver)
{
    const std::string service = std::to_string(port);
    std::vector<ResolvedAddress> found;
    // A numeric address needs no resolver and no thread.
    if (resolve(host, service, AI_NUMERICHOST, found) == 0 && !found.empty())
        return found;

    auto pending = std::make_shared<PendingLookup>();
    std::thread([pending, resolver, host, service] {
        std::vector<ResolvedAddress> addresses;
        const int status = resolver(host, service, addresses);
        const std::lock_guard lock(pending->mutex);
        pending->status = status;
        pending->addresses = std::move(addresses);
        pending->done = true;
        pending->finished.notify_all();
    }).detach();

    std::unique_lock lock(pending->mutex);
    if (!pending->finished.wait_for(
            lock, std::chrono::milliseconds(timeoutMs), [&] { return pending->done; }))
        throw FtpError("Host lookup timed out: " + host, ErrorKind::TimedOut);
    if (pending->status != 0 || pending->addresses.empty())
        throw FtpError("Host not found: " + host, ErrorKind::UnknownHost);
    return std::move(pending->addresses);
}

} // namespace pictaven
