#pragma once

#include "publish/Uploader.h"

#include <functional>
#include <string>
#include <vector>

namespace pictaven::test {

// Keeps everything an upload tells the window, in order.
struct UploadRecorder {
    std::vector<std::string> statuses;
    std::vector<std::string> log;
    std::vector<std::string> logMessages;
    std::vector<std::string> warnings;
    std::vector<std::string> errors;
    // Called after each log line, e.g. to press Cancel at a chosen moment.
    std::function<void(const std::string&)> onLog;

    UploadObserver observer()
    {
        UploadObserver o;
        o.status = [this](const std::string& text) { statuses.push_back(text); };
        o.clearLog = [this] { log.clear(); };
        o.log = [this](const std::string& line) {
            log.push_back(line);
            if (onLog)
                onLog(line);
        };
        o.logMessage = [this](const std::string& text) { logMessages.push_back(text); };
        o.warning = [this](const std::string& text) { warnings.push_back(text); };
        o.error = [this](const std::string& text) { errors.push_back(text); };
        return o;
    }
};

} // namespace pictaven::test
