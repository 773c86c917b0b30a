#include "ui/ThumbnailStripModel.h"

#include "session/CatalogEditorPresenter.h"

#include <QCoreApplication>
#include <algorithm>

namespace pictaven {

namespace {

QImage toImage(const Bitmap& picture)
{
    if (picture.empty())
        return {};
    const Bitmap colours = picture.bitsPerPixel() == 24 ? picture : picture.withDepth(24);
    return QImage(colours.data(), colours.width(), colours.height(), static_cast<qsizetype>(colours.stride()),
                  QImage::Format_BGR888)
        .copy();
}

} // namespace

ThumbnailStripModel::ThumbnailStripModel(CatalogEditorPresenter& presenter, QObject* parent)
    : QAbstractListModel(parent)
    , m_presenter(presenter)
    , m_pictures(presenter.view().photoCount)
    , m_requested(presenter.view().photoCount)
{
}

ThumbnailStripModel::~ThumbnailStripModel()
{
    m_workers.clear();
    m_workers.waitForDone();
}

int ThumbnailStripModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_pictures.size());
}

QVariant ThumbnailStripModel::data(const QModelIndex& index, int role) const
{
    // The presenter may already have one photo fewer than the rows, until photoRemoved().
    if (!index.isValid() || index.row() >= rowCount() ||
        static_cast<std::size_t>(index.row()) >= m_presenter.view().photoCount)
        return {};
    const int row = index.row();
    switch (role) {
    case Qt::DecorationRole:
        if (m_pictures[static_cast<std::size_t>(row)].isNull()) {
            request(row);
            return {};
        }
        return m_pictures[static_cast<std::size_t>(row)];
    case TopTextRole:
        return QString::fromStdString(m_presenter.cell(static_cast<std::size_t>(row)).topText);
    case BottomTextRole:
        return QString::fromStdString(m_presenter.cell(static_cast<std::size_t>(row)).bottomText);
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return QString::fromStdString(m_presenter.cell(static_cast<std::size_t>(row)).topText).trimmed();
    case CurrentRole:
        return static_cast<std::size_t>(row) == m_presenter.view().current;
    default:
        return {};
    }
}

void ThumbnailStripModel::request(int row) const
{
    const auto position = static_cast<std::size_t>(row);
    if (m_requested[position])
        return;
    m_requested[position] = true;
    const StripCell cell = m_presenter.cell(position);
    const std::string errorPicture = m_presenter.errorPicturePath();
    const quint64 layout = m_presenter.view().layout;
    const std::string scratchFile = m_presenter.stripScratchFile(position, layout);
    auto* self = const_cast<ThumbnailStripModel*>(this);
    // The cells drawn last are the ones in view: they go first.
    m_workers.start(
        [self, row, layout, cell, errorPicture, scratchFile] {
            const StripPicture picture = loadStripPicture(cell.cacheFile, cell.workingPath, errorPicture, scratchFile);
            const QImage image = toImage(picture.picture);
            QMetaObject::invokeMethod(
                self, [self, row, layout, picture, image] { self->arrive(row, layout, picture, image); },
                Qt::QueuedConnection);
        },
        ++m_priority);
}

void ThumbnailStripModel::arrive(int row, quint64 layout, const StripPicture& picture, const QImage& image)
{
    m_presenter.keepStripPicture(static_cast<std::size_t>(row), layout, picture);
    if (layout != m_presenter.view().layout || row >= rowCount())
        return;
    if (!image.isNull())
        m_pictures[static_cast<std::size_t>(row)] = QPixmap::fromImage(image);
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, {Qt::DecorationRole});
}

void ThumbnailStripModel::forgetRequests()
{
    // Pictures on their way were made for the old positions; they are asked for again.
    for (std::size_t i = 0; i < m_pictures.size(); ++i)
        m_requested[i] = !m_pictures[i].isNull();
    refresh();
}

void ThumbnailStripModel::photoMoved(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= rowCount() || to >= rowCount())
        return;
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    const auto first = static_cast<std::ptrdiff_t>(std::min(from, to));
    const auto last = static_cast<std::ptrdiff_t>(std::max(from, to)) + 1;
    if (from < to) {
        std::rotate(m_pictures.begin() + first, m_pictures.begin() + first + 1, m_pictures.begin() + last);
    } else {
        std::rotate(m_pictures.begin() + first, m_pictures.begin() + last - 1, m_pictures.begin() + last);
    }
    endMoveRows();
    forgetRequests();
}

void ThumbnailStripModel::photoRemoved(int position)
{
    if (position < 0 || position >= rowCount())
        return;
    beginRemoveRows({}, position, position);
    m_pictures.erase(m_pictures.begin() + position);
    m_requested.erase(m_requested.begin() + position);
    endRemoveRows();
    forgetRequests();
}

void ThumbnailStripModel::refresh()
{
    if (rowCount() > 0)
        emit dataChanged(index(0), index(rowCount() - 1));
}

bool ThumbnailStripModel::hasPicture(int row) const
{
    return !m_pictures.at(static_cast<std::size_t>(row)).isNull();
}

void ThumbnailStripModel::waitForPictures()
{
    m_workers.waitForDone();
    QCoreApplication::sendPostedEvents(this);
}

} // namespace pictaven
