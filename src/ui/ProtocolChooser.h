#pragma once

#include "publish/RemoteProtocol.h"

#include <functional>

class QComboBox;
class QFormLayout;
class QWidget;

namespace pictaven {

// The "Pr&otocol" row of the FTP windows: FTP, FTPS or SFTP, named "protocol" and for screen
// readers "Protocol". `chosen` hears the person's choices, not the ones shown by showProtocol.
QComboBox* addProtocolRow(QFormLayout& form, QWidget& parent, std::function<void(RemoteProtocol)> chosen);
void showProtocol(QComboBox& box, RemoteProtocol protocol);

} // namespace pictaven
