#pragma once

#include "publish/FtpProfile.h"
#include "session/ChangeNotifier.h"
#include "session/RemoteSettingsForm.h"

#include <string>

namespace pictaven {

class FtpWizard;
class Workspace;

// What the "Remote Settings" window shows.
struct RemoteSettingsView {
    std::string caption; // "Remote Settings - Profile [" + profile name + "]"
    FtpProfile fields;
};

// The fields of the window, in the order it shows them.
enum class RemoteField { Ftp, User, Password, KeyFile, FtpHomeDirectory, HttpHomeDirectory, Www };

// The "Remote Settings" window over the workspace's FTP profile and profile name. Load and Save
// Profile As take effect at once; OK makes the fields the current profile and records its name
// as LastProfile; closing without OK leaves the rest as it was. Failures are shown, never thrown.
class RemoteSettingsPresenter {
public:
    static constexpr const char* loadTitle = "Load Profile";
    static constexpr const char* saveTitle = "Save Profile As";
    // Profile files are named *.prf, but one copied from elsewhere may be spelled *.PRF.
    static constexpr const char* fileFilter = "Profile (*.prf *.PRF)";
    static constexpr const char* defaultExtension = ".prf";

    // `workspace` outlives the presenter.
    explicit RemoteSettingsPresenter(Workspace& workspace);

    RemoteSettingsView view() const;
    ChangeNotifier& changed() { return m_changed; }

    // The folder the file choosers start in.
    std::string profileFolder() const;

    void edit(RemoteField field, const std::string& text);
    // A key trusted for one protocol means nothing for another, so it is forgotten.
    void chooseProtocol(RemoteProtocol protocol);
    // "&Load Profile..": a chosen profile file becomes the current profile and fills the fields.
    void loadProfile();
    // "&Save Profile As..": the fields go to a chosen file (given ".prf" when its name has no
    // extension) and become the current profile. Fields that name no host or an unusable key
    // file are refused with the reason, as the command line refuses them (ProfileCheck.h).
    void saveProfileAs();
    // "&Clear": empties the fields.
    void clear();
    // Finish of the set-up wizard: the fields it fills take its values.
    void applyWizard(const FtpWizard& wizard);
    // OK. Returns false when the fields are refused as by Save Profile As or LastProfile could
    // not be stored; the error has then been shown and the window stays open. Tells the workspace, whose step 5 shows the upload location.
    bool accept();

private:
    Workspace& m_workspace;
    RemoteSettingsForm m_form;
    ChangeNotifier m_changed;
};

} // namespace pictaven
