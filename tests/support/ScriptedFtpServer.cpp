#include "support/ScriptedFtpServer.h"

#include <algorithm>
#include <stdexcept>
#include <sys/socket.h>

namespace pictaven::test {

ScriptedFtpConnection::ScriptedFtpConnection(Socket control, std::vector<std::string>& commands, std::mutex& mutex)
    : m_control(std::move(control)), m_commands(commands), m_mutex(mutex)
{
}

void ScriptedFtpConnection::send(const std::string& bytes)
{
    m_control.writeAll(bytes, waitMs);
}

std::string ScriptedFtpConnection::command()
{
    for (;;) {
        const auto end = m_buffer.find("\r\n");
        if (end != std::string::npos) {
            std::string line = m_buffer.substr(0, end);
            m_buffer.erase(0, end + 2);
            std::lock_guard lock(m_mutex);
            m_commands.push_back(line);
            return line;
        }
        char chunk[1024];
        const std::size_t got = m_control.readSome(chunk, sizeof chunk, waitMs);
        if (got == 0)
            throw std::runtime_error("client closed the connection");
        m_buffer.append(chunk, got);
    }
}

void ScriptedFtpConnection::expect(const std::string& line)
{
    const std::string got = command();
    if (got != line)
        throw std::runtime_error("expected \"" + line + "\", got \"" + got + "\"");
}

void ScriptedFtpConnection::greetAndLogIn()
{
    reply("220 Scripted server ready");
    expect("USER alice");
    reply("331 Password required");
    expect("PASS secret");
    reply("230 Logged in");
    expect("TYPE I");
    reply("200 Type set to I");
    expect("SYST");
    reply("215 UNIX Type: L8");
}

bool ScriptedFtpConnection::clientClosed()
{
    if (!m_buffer.empty())
        return false;
    char chunk[64];
    return m_control.readSome(chunk, sizeof chunk, waitMs) == 0;
}

std::uint16_t ScriptedFtpConnection::listenData()
{
    m_listener = Socket::listenOn(m_control.localAddress().address);
    return m_listener.localAddress().port;
}

std::string ScriptedFtpConnection::pasvReply()
{
    const std::uint16_t port = listenData();
    std::string address = m_control.localAddress().address;
    std::replace(address.begin(), address.end(), '.', ',');
    return "227 Entering Passive Mode (" + address + "," + std::to_string(port / 256) + "," +
           std::to_string(port % 256) + ")";
}

void ScriptedFtpConnection::acceptData()
{
    m_data = m_listener.accept(waitMs);
    m_listener.close();
}

std::string ScriptedFtpConnection::prepareData(bool passive)
{
    if (passive) {
        expect("PASV");
        reply(pasvReply());
        acceptData();
        return "";
    }
    std::string portLine = command();
    reply("200 PORT ok");
    return portLine;
}

void ScriptedFtpConnection::connectData(const std::string& portLine)
{
    std::string address;
    int port = 0;
    if (portLine.rfind("PORT ", 0) == 0) {
        std::vector<int> fields;
        std::size_t start = 5;
        for (;;) {
            const auto comma = portLine.find(',', start);
            fields.push_back(std::stoi(portLine.substr(start, comma - start)));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
        if (fields.size() != 6)
            throw std::runtime_error("bad PORT line " + portLine);
        address = std::to_string(fields[0]) + "." + std::to_string(fields[1]) + "." + std::to_string(fields[2]) +
                  "." + std::to_string(fields[3]);
        port = fields[4] * 256 + fields[5];
    } else if (portLine.rfind("EPRT |2|", 0) == 0) {
        const auto bar = portLine.find('|', 8);
        address = portLine.substr(8, bar - 8);
        port = std::stoi(portLine.substr(bar + 1));
    } else {
        throw std::runtime_error("expected PORT or EPRT, got " + portLine);
    }
    m_data = Socket::connectTo(address, static_cast<std::uint16_t>(port), waitMs);
}

std::string ScriptedFtpConnection::readAllData()
{
    std::string all;
    char chunk[65536];
    while (const std::size_t got = m_data.readSome(chunk, sizeof chunk, waitMs))
        all.append(chunk, got);
    return all;
}

void ScriptedFtpConnection::sendData(const std::string& bytes)
{
    m_data.writeAll(bytes, waitMs);
}

void ScriptedFtpConnection::closeData()
{
    m_data.close();
}

void ScriptedFtpConnection::serve(const std::function<bool(const std::string& command)>& special)
{
    std::string portLine;
    auto openData = [&] {
        if (portLine.empty())
            acceptData();
        else
            connectData(portLine);
        portLine.clear();
    };
    for (;;) {
        std::string line;
        try {
            line = command();
        } catch (const std::runtime_error&) {
            return; // the client closed the connection
        }
        if (special && special(line))
            continue;
        const auto blank = line.find(' ');
        const std::string verb = line.substr(0, blank);
        const std::string argument = blank == std::string::npos ? "" : line.substr(blank + 1);
        const std::string path = argument.empty() || argument.front() == '/' ? argument
                                 : cwd == "/"                                 ? "/" + argument
                                                                              : cwd + "/" + argument;
        if (verb == "USER") {
            reply("331 Password required");
        } else if (verb == "PASS") {
            reply("230 Logged in");
        } else if (verb == "TYPE") {
            reply("200 Type set");
        } else if (verb == "SYST") {
            reply("215 UNIX Type: L8");
        } else if (verb == "PWD") {
            reply("257 \"" + cwd + "\" is the current directory");
        } else if (verb == "CWD") {
            cwd = path;
            reply("250 Directory changed");
        } else if (verb == "MKD") {
            reply("257 \"" + path + "\" created");
        } else if (verb == "PASV") {
            reply(pasvReply());
        } else if (verb == "PORT" || verb == "EPRT") {
            portLine = line;
            reply("200 PORT ok");
        } else if (verb == "NLST") {
            reply("150 Here comes the listing");
            openData();
            std::string names;
            for (const auto& name : listing)
                names += name + "\r\n";
            sendData(names);
            closeData();
            reply("226 Listing sent");
        } else if (verb == "STOR") {
            reply("150 Ready for data");
            openData();
            stored[path] = readAllData();
            closeData();
            reply("226 Transfer complete");
        } else if (verb == "ABOR") {
            reply("226 Nothing to abort");
        } else {
            reply("502 Command not implemented");
        }
    }
}

ScriptedFtpServer::ScriptedFtpServer(Script script, const std::string& address) : m_address(address)
{
    Socket listener = Socket::listenOn(address);
    m_port = listener.localAddress().port;
    m_thread = std::thread([this, script = std::move(script), listener = std::move(listener)]() mutable {
        try {
            ScriptedFtpConnection connection(listener.accept(ScriptedFtpConnection::waitMs), m_commands, m_mutex);
            listener.close();
            script(connection);
        } catch (const std::exception& failure) {
            std::lock_guard lock(m_mutex);
            m_error = failure.what();
        }
    });
}

ScriptedFtpServer::~ScriptedFtpServer()
{
    if (m_thread.joinable())
        m_thread.join();
}

std::string ScriptedFtpServer::hostPort() const
{
    const std::string host = m_address.find(':') == std::string::npos ? m_address : "[" + m_address + "]";
    return host + ":" + std::to_string(m_port);
}

std::string ScriptedFtpServer::finish()
{
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard lock(m_mutex);
    return m_error;
}

std::vector<std::string> ScriptedFtpServer::commands()
{
    std::lock_guard lock(m_mutex);
    return m_commands;
}

} // namespace pictaven::test
