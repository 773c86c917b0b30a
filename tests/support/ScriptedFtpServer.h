#pragma once

#include "publish/Socket.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace pictaven::test {

// The server side of one control connection, driven by a test's script on the server's thread.
// Every wait is bounded (`waitMs`), so a client that misbehaves ends the script with an error
// instead of hanging the test.
class ScriptedFtpConnection {
public:
    static constexpr int waitMs = 5000;

    ScriptedFtpConnection(Socket control, std::vector<std::string>& commands, std::mutex& mutex);

    // Raw bytes to the client, or one line with CR LF added.
    void send(const std::string& bytes);
    void reply(const std::string& line) { send(line + "\r\n"); }
    // The next command line from the client (recorded); throws when the client closes.
    std::string command();
    // Reads the next command and throws unless it is `line`.
    void expect(const std::string& line);
    // Greets and accepts USER alice / PASS secret, TYPE I and SYST.
    void greetAndLogIn();
    // True when the client closes the control connection before sending anything more.
    bool clientClosed();

    // Passive data: opens a listener on the control connection's local address and returns
    // its port; acceptData() takes the client's connection.
    std::uint16_t listenData();
    std::string pasvReply();
    void acceptData();
    // Stops listening, so that a connection to the announced port is refused.
    void closeListener() { m_listener.close(); }
    // The client's PASV, answered and its data connection accepted (returns ""), or its PORT or
    // EPRT line, answered and returned for connectData() after the transfer command.
    std::string prepareData(bool passive);
    // Active data: connects to the address of a "PORT h1,h2,h3,h4,p1,p2" or "EPRT |2|a|p|" line.
    void connectData(const std::string& portLine);
    std::string readAllData();
    void sendData(const std::string& bytes);
    void closeData();
    void closeControl() { m_control.close(); }

    // A plain FTP server loop until the client closes: log-in, PWD, CWD, MKD, PASV, PORT, NLST
    // (the names in `listing`), STOR (kept in `stored` under the full remote path) and ABOR.
    // `special` sees each command first and returns true when it answered it itself.
    void serve(const std::function<bool(const std::string& command)>& special = {});
    std::string cwd = "/";
    std::vector<std::string> listing;
    std::map<std::string, std::string> stored;

private:
    Socket m_control;
    Socket m_listener;
    Socket m_data;
    std::string m_buffer;
    std::vector<std::string>& m_commands;
    std::mutex& m_mutex;
};

// A small FTP server on a loopback address that plays one script against one client
// connection, for replies that no real server gives on request.
class ScriptedFtpServer {
public:
    using Script = std::function<void(ScriptedFtpConnection&)>;

    explicit ScriptedFtpServer(Script script, const std::string& address = "127.0.0.1");
    ~ScriptedFtpServer();

    // "127.0.0.1:port" or "[::1]:port", as a profile's host is written.
    std::string hostPort() const;
    std::uint16_t port() const { return m_port; }

    // Waits for the script to end. Returns the script's failure text, empty when it ran through.
    std::string finish();
    std::vector<std::string> commands();

private:
    std::string m_address;
    std::uint16_t m_port = 0;
    std::vector<std::string> m_commands;
    std::mutex m_mutex;
    std::string m_error;
    std::thread m_thread;
};

} // namespace pictaven::test
