#pragma once

#include "session/ChangeNotifier.h"
#include "session/PhotoList.h"

#include <string>

namespace pictaven {

class StepNavigator;
class Workspace;

// What the page of step 3 shows.
struct Step3View {
    std::string treeFolder;      // the folder the tree shows, without a final "/" but for the root
    std::string destinationLine; // "[" + folder + "]"
    std::string photoPageTexture;
    std::string indexPageTexture;
    bool enabled = true; // false while a job reads the workspace
};

// Step 3: the output folder, shown as a folder tree, and the two page textures. Each move of
// the tree makes its folder the output folder, which is usable only when it is not the folder
// of one of the photos. Commands do nothing while a job runs; failures are shown, never thrown.
class Step3Presenter {
public:
    static constexpr const char* helpTopic = "Output_Folder";
    static constexpr const char* createFolderQuestion = "The specified directory does not exist. Create it?";
    static constexpr const char* createFolderTitle = "Create Directory";
    static constexpr const char* photoPageTextureTitle = "Texture (Photo Page)";
    static constexpr const char* indexPageTextureTitle = "Texture (Index Page)";
    static constexpr const char* textureFilter = "Pictures (*.jpg *.jpeg *.gif *.png *.bmp);;All files (*)";

    // Takes over the workspace's tree-moved hook, so that a catalog moving the tree applies the
    // same rule; the destructor gives it back empty. Both arguments outlive the presenter.
    Step3Presenter(Workspace& workspace, StepNavigator& navigator);
    ~Step3Presenter();
    Step3Presenter(const Step3Presenter&) = delete;
    Step3Presenter& operator=(const Step3Presenter&) = delete;

    Step3View view() const;
    ChangeNotifier& changed() { return m_changed; }

    // The person moved the tree to `folder` (absolute).
    void moveTree(const std::string& folder);
    // The person chose the volume whose top folder is `root`: the tree moves there, and the
    // photos' working copies decide whether it is a photo folder.
    void chooseVolume(const std::string& root);
    // The page was entered: shows the output folder and brings the tree to it.
    void enter();
    // The keyboard focus left the page.
    void leave();
    // "Create Directory": a folder chosen at the tree's folder, created after a confirmation
    // when missing, becomes the tree's folder.
    void createDirectory();
    // A texture box lost the focus holding `path`.
    void setPhotoPageTexture(const std::string& path);
    void setIndexPageTexture(const std::string& path);
    // "Browse..": a picture chosen in the program's backgrnd folder becomes the texture.
    void browsePhotoPageTexture();
    void browseIndexPageTexture();

private:
    bool editable() const;
    void outputFolderChanged();
    // Whether the output folder is the folder of a photo, judged by the given paths of the photos.
    void judgeOutputFolder(PhotoList::PathKind photoPaths);
    void setTexture(std::string& held, const std::string& path);
    void browseTexture(std::string& held, const char* title);

    Workspace& m_workspace;
    StepNavigator& m_navigator;
    std::string m_destinationLine;
    ChangeNotifier m_changed;
};

} // namespace pictaven
