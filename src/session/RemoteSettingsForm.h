#pragma once

#include "publish/FtpProfile.h"

#include <string>

namespace pictaven {

class SettingsStore;

// The rules of the "Remote Settings" dialog, without the window. It edits a copy of the current
// profile (`fields`); Load and Save Profile As act on the program's current profile and profile
// name at once, OK makes the fields current and records the profile name as LastProfile.
class RemoteSettingsForm {
public:
    // `current` and `currentProfileName` (the file name of the profile in use, held in
    // GlobalSettings::lastProfile) belong to the program and must outlive the form.
    RemoteSettingsForm(FtpProfile& current, std::string& currentProfileName);

    FtpProfile fields;

    std::string caption() const { return "Remote Settings - Profile [" + m_profileName + "]"; }
    // The file the save dialog starts with: the one last chosen for loading.
    const std::string& lastChosenFile() const { return m_lastChosenFile; }

    // "&Load Profile..": reads the file into the current profile and the fields. Throws IoError.
    void loadProfile(const std::string& path);
    // "&Save Profile As..": writes the fields and makes them the current profile. Throws IoError,
    // or std::invalid_argument with profileFault()'s reason (a bad host name, an unusable key
    // file) before anything changes.
    void saveProfileAs(const std::string& path);
    // "&Clear": empties the six fields.
    void clear() { fields = FtpProfile{"", "", "", "", "", ""}; }
    // OK: an empty profile name becomes "default.prf"; the fields become the current profile and
    // the name is stored as LastProfile. The profile file is not written. Throws IoError when the
    // settings store cannot be written, and std::invalid_argument as Save Profile As does.
    void accept(SettingsStore& store);

private:
    FtpProfile& m_current;
    std::string& m_currentName;
    std::string m_profileName;
    std::string m_lastChosenFile;
};

} // namespace pictaven
