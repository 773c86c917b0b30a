#pragma once

#include <QListWidget>

namespace pictaven {

// A list of names, any number of them chosen at once, whose drags carry the chosen names one a
// line under a format of its own, so that a drop can tell where they came from.
class NameListWidget : public QListWidget {
    Q_OBJECT

public:
    NameListWidget(const char* mimeType, DragDropMode dragDropMode, QWidget* parent = nullptr);

    // The names a drag of `mimeType` carries.
    static QStringList namesOf(const QMimeData& data, const char* mimeType);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;

private:
    const char* m_mimeType;
};

} // namespace pictaven
