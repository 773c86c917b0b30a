#include "session/FtpWizard.h"

#include <algorithm>

namespace pictaven {

namespace {

std::string textAfterDash(const char* line)
{
    const std::string text = line;
    const auto dash = text.find("- ");
    return dash == std::string::npos ? std::string() : text.substr(dash + 2);
}

} // namespace

// Names in double angle brackets stand for the user's own account name.
const std::array<const char*, FtpWizard::presetCount> FtpWizard::ftpPresets = {
    "Acorn Online - ftp.acorn-online.example",
    "Bluebay Internet - ftp.bluebay.example",
    "Cedar Net - upload.cedarnet.example",
    "Clearwave - ftp.clearwave.example",
    "Copperline - ftp.copperline.example",
    "Driftwood Hosting - ftp.driftwood.example",
    "Eastgate Web - ftp.eastgate.example",
    "Fernhill Broadband - home.fernhill.example",
    "Granite Access - ftp.granite.example",
    "Harbour Link - ftp.harbourlink.example",
    "Ironbridge Net - members.ironbridge.example",
    "Juniper Online - ftp.juniper-online.example",
    "Kestrel Internet - ftp.kestrel.example",
    "Lakeside Web - <<username>>.lakeside.example",
    "Maple Connect - ftp.mapleconnect.example",
    "Northstar Net - ftp.northstar.example",
    "Oakfield Online - users.oakfield.example",
    "Pinecrest Hosting - ftp.pinecrest.example",
    "Quarry Lane Internet - ftp.quarrylane.example",
    "Riverside Broadband - <<username>>.ftp.riverside.example",
    "",
    "",
    "",
};

const std::array<const char*, FtpWizard::presetCount> FtpWizard::webPresets = {
    "Acorn Online - www.acorn-online.example/~<<username>>",
    "Bluebay Internet - home.bluebay.example/<<username>>",
    "Cedar Net - www.cedarnet.example/users/<<username>>",
    "Clearwave - members.clearwave.example/<<username>>",
    "Copperline - www.copperline.example/~<<username>>",
    "Driftwood Hosting - www.driftwood.example",
    "Eastgate Web - <<username>>.eastgate.example",
    "Fernhill Broadband - home.fernhill.example/<<username>>",
    "Granite Access - www.granite.example/~<<username>>",
    "Harbour Link - web.harbourlink.example/<<username>>",
    "Ironbridge Net - members.ironbridge.example/<<username>>",
    "Juniper Online - www.juniper-online.example/<<username>>",
    "Kestrel Internet - www.kestrel.example/~<<username>>",
    "Lakeside Web - <<username>>.lakeside.example",
    "Maple Connect - pages.mapleconnect.example/<<username>>",
    "Northstar Net - www.northstar.example/~<<username>>",
    "Oakfield Online - users.oakfield.example/<<username>>",
    "Pinecrest Hosting - www.pinecrest.example",
    "Quarry Lane Internet - www.quarrylane.example/<<username>>",
    "Riverside Broadband - <<username>>.riverside.example",
    "",
    "",
    "",
};

std::string fixDir(const std::string& text)
{
    if (text.empty() || text == "/")
        return "/";
    std::string fixed = text;
    std::replace(fixed.begin(), fixed.end(), '\\', '/');
    if (fixed.back() == '/')
        fixed.pop_back();
    return fixed;
}

void FtpWizard::chooseFtpPreset(std::size_t index)
{
    if (index >= presetCount)
        return;
    m_ftpAddress = textAfterDash(ftpPresets[index]);
    m_ftpSelection = static_cast<int>(index);
    m_webSelection = static_cast<int>(index);
    m_webAddress = textAfterDash(webPresets[index]);
}

void FtpWizard::typeFtpAddress(const std::string& text)
{
    m_ftpAddress = text;
    m_ftpSelection = -1;
}

void FtpWizard::chooseWebPreset(std::size_t index)
{
    if (index >= presetCount)
        return;
    m_webAddress = textAfterDash(webPresets[index]);
    m_webSelection = static_cast<int>(index);
}

void FtpWizard::typeWebAddress(const std::string& text)
{
    m_webAddress = text;
    m_webSelection = -1;
}

ConnectionTest FtpWizard::connectionTest(const ProxySettings& proxy) const
{
    const bool trusted = m_trustedHost == m_ftpAddress && m_trustedProtocol == protocol;
    return {m_ftpAddress, userName, password, proxy, protocol, trusted ? m_trustedKey : std::string(), {}};
}

void FtpWizard::trustKey(const ConnectionTest& test, const std::string& key)
{
    m_trustedKey = key;
    m_trustedHost = test.host;
    m_trustedProtocol = test.protocol;
}

std::string FtpWizard::next()
{
    if (m_page == 1 && m_ftpAddress.empty())
        return "You must enter an FTP address";
    if (m_page == 2) {
        if (userName.empty())
            return "You must enter a user name";
        if (password.empty())
            return "You must enter a password";
    }
    if (m_page == 3)
        m_finished = true;
    else
        ++m_page;
    return {};
}

void FtpWizard::previous()
{
    if (m_page > 1)
        --m_page;
}

void FtpWizard::applyTo(FtpProfile& fields) const
{
    const std::string host = fixDir(m_ftpAddress);
    if (host != fields.ftp || protocol != fields.protocol)
        fields.trustedKey.clear();
    if (!m_trustedKey.empty() && m_trustedHost == m_ftpAddress && m_trustedProtocol == protocol)
        fields.trustedKey = m_trustedKey;
    fields.ftp = host;
    fields.protocol = protocol;
    fields.password = password;
    fields.user = userName;
    fields.www = fixDir(m_webAddress);
    fields.httpHomeDirectory = personalDirectory;
    fields.ftpHomeDirectory = subFolder;
}

} // namespace pictaven
