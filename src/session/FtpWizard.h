#pragma once

#include "app/ProxySettings.h"
#include "session/ConnectionTest.h"
#include "publish/FtpProfile.h"

#include <array>
#include <string>

namespace pictaven {

// "/" and an empty text give "/"; otherwise every "\" becomes "/" and one trailing "/" goes.
std::string fixDir(const std::string& text);

// The rules of the three-page "FTP Settings Wizard", without the window: page 1 the FTP address,
// page 2 the account, its connection test and an FTP sub-folder, page 3 the web address and the
// personal web directory. Finish hands the values to the Remote Settings fields.
class FtpWizard {
public:
    // Each preset line is a provider's name, " - " and its FTP host (or web address); both lists
    // hold the same providers in the same order, then three blank lines.
    static constexpr std::size_t presetCount = 23;
    static const std::array<const char*, presetCount> ftpPresets;
    static const std::array<const char*, presetCount> webPresets;
    // The connection label before any test.
    static constexpr const char* notConnected = "Not connected";

    int page() const { return m_page; } // 1 to 3
    bool previousVisible() const { return m_page > 1; }
    std::string nextCaption() const { return m_page == 3 ? "Finish" : "Next ==>"; }

    // Page 1. Choosing a preset also chooses the same provider's web address on page 3.
    void chooseFtpPreset(std::size_t index);
    void typeFtpAddress(const std::string& text);
    const std::string& ftpAddress() const { return m_ftpAddress; }
    int ftpSelection() const { return m_ftpSelection; } // -1: none
    RemoteProtocol protocol = RemoteProtocol::Ftp;

    // Page 2.
    std::string userName;
    std::string password;
    std::string subFolder;
    bool testConnectionEnabled() const { return !userName.empty() && !password.empty(); }
    const std::string& connectionLabel() const { return m_connectionLabel; }
    // The connection test of the account as typed now, with the program's proxy settings.
    ConnectionTest connectionTest(const ProxySettings& proxy) const;
    // "Connecting...", then the test's result.
    void setConnectionLabel(std::string label) { m_connectionLabel = std::move(label); }
    // A certificate or host key fingerprint that the person trusted in `test`; it counts for the
    // address and protocol tested only.
    void trustKey(const ConnectionTest& test, const std::string& key);

    // Page 3.
    void chooseWebPreset(std::size_t index);
    void typeWebAddress(const std::string& text);
    const std::string& webAddress() const { return m_webAddress; }
    int webSelection() const { return m_webSelection; }
    std::string personalDirectory;

    // "Next ==>" / "Finish": returns the error to show (the page stays), or an empty text when
    // the next page is shown or, on page 3, the wizard finished.
    std::string next();
    void previous();
    bool finished() const { return m_finished; }
    // The Remote Settings fields that Finish fills; the others stay as they are. A key trusted
    // for another host or protocol is forgotten.
    void applyTo(FtpProfile& fields) const;

private:
    int m_page = 1;
    bool m_finished = false;
    std::string m_ftpAddress;
    int m_ftpSelection = -1;
    std::string m_webAddress;
    int m_webSelection = -1;
    std::string m_connectionLabel = notConnected;
    std::string m_trustedKey;
    std::string m_trustedHost;
    RemoteProtocol m_trustedProtocol = RemoteProtocol::Ftp;
};

} // namespace pictaven
