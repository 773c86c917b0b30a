#pragma once

#include "imaging/Bitmap.h"
#include "imaging/JpegCodec.h"
#include "session/Workspace.h"
#include "ui/AboutBox.h"
#include "ui/MainWindow.h"

#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

namespace pictaven::test {

// A shown main window over a fresh program folder, with the scripted dialogs, and an album of
// small photos in a folder of their own with an output folder beside it.
class StepWindow {
    QTemporaryDir m_home; // first: the folder outlives the workspace and the window

public:
    // Runs `beforeWindow` between the workspace's start and the window's construction.
    template <class BeforeWindow>
    void start(BeforeWindow beforeWindow)
    {
        workspace = std::make_unique<Workspace>(path("program"), PICTAVEN_SOURCE_DATA_DIR, dialogs);
        beforeWindow();
        window = std::make_unique<MainWindow>(*workspace, dialogs);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTRY_VERIFY(window->aboutBox()->isVisible());
        window->aboutBox()->accept();
        QTRY_VERIFY(!workspace->step1Folder().empty());
    }
    void start()
    {
        start([] {});
    }

    void addPhotos(int count)
    {
        QVERIFY(QDir(QString::fromStdString(home())).mkpath("photos"));
        QVERIFY(QDir(QString::fromStdString(home())).mkpath("album"));
        for (int i = 1; i <= count; ++i) {
            const std::string name = "photo" + std::to_string(i) + ".jpg";
            writeJpeg(Bitmap(40 + i, 30), path("photos/" + name), 90);
            AlbumItem item;
            item.displayName = name;
            item.storage.SourcePath = item.storage.WorkingPath = path("photos/" + name);
            workspace->catalog().photos.push_back(item);
        }
        workspace->outputFolders().outputFolder = path("album/");
        workspace->generationFlags().rerenderPhotos = true;
        workspace->guards().photosSelected = true;
        workspace->guards().outputFolderValid = true;
        workspace->changes().notify();
    }

    std::string home() const { return m_home.path().toStdString() + "/"; }
    std::string path(const std::string& name) const { return home() + name; }

    ScriptedDialogs dialogs;
    std::unique_ptr<Workspace> workspace;
    std::unique_ptr<MainWindow> window;
};

// The child of `parent` with that accessible name; nullptr when there is none.
template <class Widget>
Widget* childNamed(QWidget* parent, const QString& accessibleName)
{
    for (Widget* child : parent->findChildren<Widget*>()) {
        if (child->accessibleName() == accessibleName)
            return child;
    }
    return nullptr;
}

} // namespace pictaven::test
