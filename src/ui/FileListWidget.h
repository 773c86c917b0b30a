#pragma once

#include <QListWidget>

namespace pictaven
{

// The files of the step 1 folder. Dragged files carry their names under `mimeType`, which the
// album list takes; Enter asks for them to be added.
class FileListWidget : public QListWidget
{
    Q_OBJECT

public:
    static constexpr const char* mimeType = "application/x-pictaven-step1-files";

    explicit FileListWidget(QWidget* parent = nullptr);

    // The names a drag carries, one a line.
    static QStringList namesOf(const QMimeData& data);

signals:
    void enterPressed();

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace pictaven
