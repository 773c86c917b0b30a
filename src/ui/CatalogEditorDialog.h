#pragma once

#include <QDialog>
#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace pictaven {

class CatalogEditorPresenter;
class ThumbnailStrip;
class ThumbnailStripModel;

// "Photo Album Editor": the strip of the album's photos and the fields of the current one. A
// field's value goes into the photo when the field loses the focus. The picture work is the
// strip model's; everything else is the presenter's.
class CatalogEditorDialog : public QDialog {
    Q_OBJECT

public:
    // `presenter` outlives the dialog.
    CatalogEditorDialog(CatalogEditorPresenter& presenter, QWidget* parent);
    ~CatalogEditorDialog() override;

    ThumbnailStripModel& stripModel() { return *m_model; }
    // Whether the dialog closed through "&Help", whose topic is then to be shown.
    bool helpAsked() const { return m_helpAsked; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void redraw();
    void storeField(QObject* field);
    void selectPhoto(int row);
    void insertTag(std::size_t tag);
    void chooseAudioFile();
    void movePhoto(int from, int to);
    void removePhoto();
    void viewPhoto();
    void saveCatalog();
    void help();

    CatalogEditorPresenter& m_presenter;
    int m_subscription = 0;
    std::uint64_t m_fieldsShown = 0;
    bool m_filling = false;
    bool m_helpAsked = false;
    ThumbnailStripModel* m_model = nullptr;
    ThumbnailStrip* m_strip = nullptr;
    QLabel* m_fileName = nullptr;
    QLineEdit* m_label = nullptr;
    QLineEdit* m_webTitle = nullptr;
    QPlainTextEdit* m_description = nullptr;
    QLineEdit* m_audioFile = nullptr;
    QPushButton* m_browseAudio = nullptr;
    QComboBox* m_rotation = nullptr;
};

} // namespace pictaven
