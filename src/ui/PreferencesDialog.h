#pragma once

#include <QDialog>
#include <QHash>
#include <QString>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace pictaven
{

class PreferencesPresenter;
class Workspace;

// The preferences dialog: eleven pages of boxes, switches and choices over the album settings.
// Every control is named after the setting it edits; a change takes effect at once, so the
// dialog has no Cancel, and closing it any way is the same as OK.
class PreferencesDialog : public QDialog
{
    Q_OBJECT

public:
    // `workspace` and `presenter` outlive the dialog.
    PreferencesDialog(Workspace& workspace, PreferencesPresenter& presenter, QWidget* parent = nullptr);
    ~PreferencesDialog() override;

    // The page captioned `caption`, or nullptr.
    QWidget* page(const QString& caption) const;
    bool pageShown(const QString& caption) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    // `caption` with a key of its own on the current page, when one of its letters is free.
    QString withMnemonic(const QString& caption);
    QFormLayout* addPage(const QString& caption);
    QLineEdit* addBox(QFormLayout* form, const QString& caption, const char* field);
    void addCheck(QFormLayout* form, const QString& caption, const char* field);
    void addChoice(QFormLayout* form, const QString& caption, const char* field);
    void addOffer(QFormLayout* form, const QString& caption, const char* field, const QStringList& offers);
    QPushButton* addChooserButton(QLineEdit* box, const QString& caption);
    // A button that opens the colour chooser on a colour setting and shows the colour held.
    void addColour(QFormLayout* form, const QString& caption, const char* field);
    void addNote(QFormLayout* form, const QString& text);
    void addButtonSetChooser(QFormLayout* form);
    void redraw();

    Workspace& m_workspace;
    PreferencesPresenter& m_presenter;
    QTabWidget* m_pages = nullptr;
    QPushButton* m_save = nullptr;
    QLabel* m_sample = nullptr;
    QHash<QString, QLineEdit*> m_boxes;
    QHash<QString, QAbstractButton*> m_checks;
    QHash<QString, QButtonGroup*> m_choices;
    QHash<QString, QComboBox*> m_offers;
    QHash<QString, QPushButton*> m_colours;
    QHash<QString, QWidget*> m_pageWidgets;
    QHash<QString, QWidget*> m_rows; // caption -> widget, for enabling choosers
    QHash<QObject*, QString> m_boxFields;
    QString m_usedKeys; // lower-case letters that have a control on the current page
    int m_changesToken = 0;
    int m_presenterToken = 0;
};

} // namespace pictaven
