#pragma once

#include "app/ProxySettings.h"
#include "publish/FtpProfile.h"
#include "settings/AlbumSettings.h"

#include <string>
#include <vector>

namespace pictaven {

// One photo as the upload sees it.
struct UploadPhoto {
    std::string workingPath; // the photo's WorkingPath; its file name names every file of it
    std::string audioFile;   // empty when the photo has none
};

// Everything one upload reads, copied so that it can run on a worker while the window goes on.
struct UploadJob {
    FtpProfile profile;
    ProxySettings proxy;
    // UploadDirectory, PassiveMode, MultiWindow, Substitutions, LowercaseFiles, StyleSheetType,
    // StyleSheet, ButtonType, HomeButtonEnable and the four button image paths.
    AlbumSettings settings;
    std::string outputFolder; // "/" is added when missing
    bool overwritePhotos = true;
    bool uploadAudio = true;
    // Send only the files that are new or changed since the last upload of this output folder
    // to the same place (see SyncRecord), photos and pictures first and pages last.
    bool syncUpload = false;
    // With syncUpload: remove the remote files that earlier uploads sent and the album no
    // longer has. Files the record does not name are never touched.
    bool deleteStale = false;
    bool basicAlbum = true; // template position 0; otherwise a graphical album
    bool responsiveAlbum = false; // the responsive template: its own files, in its own order
    std::string photoPageTexture;
    std::string indexPageTexture;
    std::vector<UploadPhoto> photos;
    // From the last generation: full paths in the output folder.
    std::string framePage;
    std::vector<std::string> indexPages;
    std::vector<std::string> albumPictures;
};

} // namespace pictaven
