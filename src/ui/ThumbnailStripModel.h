#pragma once

#include "catalog/StripPicture.h"

#include <QAbstractListModel>
#include <QImage>
#include <QPixmap>
#include <QThreadPool>
#include <vector>

namespace pictaven {

class CatalogEditorPresenter;

// The cells of the catalog editor's strip, one row per photo. Pictures are made on worker
// threads only when a cell is first drawn, so that a strip of a thousand photos opens at once;
// until its picture is ready a cell shows a placeholder. A picture made before photos moved
// belongs to another photo and is dropped.
class ThumbnailStripModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { TopTextRole = Qt::UserRole, BottomTextRole, CurrentRole };

    // `presenter` outlives the model.
    ThumbnailStripModel(CatalogEditorPresenter& presenter, QObject* parent);
    ~ThumbnailStripModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The presenter moved the photo at `from` to `to`, or removed the one at `position`.
    void photoMoved(int from, int to);
    void photoRemoved(int position);
    // Texts or the current photo changed.
    void refresh();

    // Whether the picture of `row` is shown (false: the placeholder).
    bool hasPicture(int row) const;
    // Waits until every picture asked for so far has arrived.
    void waitForPictures();

private:
    void request(int row) const;
    void arrive(int row, quint64 layout, const StripPicture& picture, const QImage& image);
    void forgetRequests();

    CatalogEditorPresenter& m_presenter;
    // What data() finds out while drawing: the pictures so far and which are on their way.
    mutable std::vector<QPixmap> m_pictures;
    mutable std::vector<bool> m_requested;
    mutable int m_priority = 0;
    mutable QThreadPool m_workers;
};

} // namespace pictaven
