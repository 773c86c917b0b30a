#pragma once

#include "ui/NameListWidget.h"

namespace pictaven {

// The album list. Dropping its own photos reorders them and dropping files of the folder pane
// adds them; both only ask, through the signals, and the list shows what comes back. The
// Delete key asks for the selected photos to be removed.
class AlbumListWidget : public NameListWidget {
    Q_OBJECT

public:
    static constexpr const char* mimeType = "application/x-pictaven-album-photos";

    explicit AlbumListWidget(QWidget* parent = nullptr);

signals:
    // `row` is the row under the drop point, -1 when there is none.
    void photosDropped(int row);
    void filesDropped(const QStringList& names);
    void deletePressed();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Takes drops of photos and of folder-pane files, as a copy; refuses anything else.
    bool acceptDrop(QDropEvent* event) const;
};

} // namespace pictaven
