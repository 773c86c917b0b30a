#include "session/CatalogEditorPresenter.h"
#include "session/PreferencesPresenter.h"
#include "session/Workspace.h"
#include "support/ScriptedDialogs.h"
#include "ui/AboutBox.h"
#include "ui/CatalogEditorDialog.h"
#include "ui/ColourPreviewerDialog.h"
#include "ui/FtpWizardDialog.h"
#include "ui/GraphicFormatsDialog.h"
#include "ui/JpegCompressionDialog.h"
#include "ui/MainWindow.h"
#include "ui/NewCatalogDialog.h"
#include "ui/PreferencesDialog.h"
#include "ui/ProxySettingsDialog.h"
#include "ui/RemoteSettingsDialog.h"
#include "ui/ReportWindow.h"
#include "ui/StepPanel.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QLabel>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace pictaven
{

using test::ScriptedDialogs;

// What a screen reader or an automation tool is told a control is called; empty when nothing.
static QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name).trimmed() : QString();
}

// A scroll bar and the viewport of a list belong to the list, which carries the name.
static bool partOfAnotherControl(const QWidget* widget)
{
    if (qobject_cast<const QScrollBar*>(widget))
        return true;
    const auto* area = qobject_cast<const QAbstractScrollArea*>(widget->parentWidget());
    return area && area->viewport() == widget;
}

// The controls shown in `window` that a person can reach and that no name tells apart, as
// "class (object name)" for the failure message.
static QStringList unnamedControls(QWidget& window)
{
    QStringList unnamed;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->focusPolicy() == Qt::NoFocus || partOfAnotherControl(widget))
            continue;
        if (accessibleName(widget).isEmpty())
            unnamed.append(QString("%1 (%2)").arg(widget->metaObject()->className(), widget->objectName()));
    }
    return unnamed;
}

// The labels in `window` whose fixed name is not their text, as "name" for the failure message,
// that do not give assistive technology their current text as description and through the text
// interface; `checked` gets the names of every such label looked at.
static QStringList unreadableLines(QWidget& window, QStringList& checked)
{
    QStringList unreadable;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(label);
        const QString name = face->text(QAccessible::Name);
        // A caption names itself, less the mark of its mnemonic.
        if (!label->isVisible() || label->text().isEmpty() || name == QString(label->text()).remove('&'))
            continue;
        checked.append(name);
        QAccessibleTextInterface* text = face->textInterface();
        if (face->text(QAccessible::Description) != label->text() || !text
            || text->text(0, text->characterCount()) != label->text())
            unreadable.append(name);
    }
    return unreadable;
}

class AccessibleNamesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyStepPageNamesItsControls();
    void everyStepIsPressedByItsAction();
    void everyStatusLineIsReadable();
    void everyWindowNamesItsControls();
    void everyWindowFitsALaptopScreen();

private:
    void showPastTheAboutBox(MainWindow& window);
    std::vector<std::pair<const char*, std::unique_ptr<QWidget>>> everyWindow(
        PreferencesPresenter& preferences, CatalogEditorPresenter& editor);

    std::unique_ptr<QTemporaryDir> m_home;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<Workspace> m_workspace;
};

void AccessibleNamesTest::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    m_workspace
        = std::make_unique<Workspace>(m_home->path().toStdString(), PICTAVEN_SOURCE_DATA_DIR, m_dialogs);
}

void AccessibleNamesTest::cleanup()
{
    m_workspace.reset();
    m_home.reset();
}

// Shows the window and closes the About box of its first show, so that the workspace is set up.
void AccessibleNamesTest::showPastTheAboutBox(MainWindow& window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.aboutBox()->isVisible());
    window.aboutBox()->accept();
    QTRY_VERIFY(!m_workspace->step1Folder().empty());
}

void AccessibleNamesTest::everyStepPageNamesItsControls()
{
    MainWindow window(*m_workspace, m_dialogs);
    showPastTheAboutBox(window);
    if (QTest::currentTestFailed())
        return;

    for (int step = StepNavigator::firstStep; step <= StepNavigator::lastStep; ++step) {
        // Every step may be entered, so that each page is shown in turn; leaving step 3 with no
        // photos would clear the guards again.
        m_workspace->guards() = StepGuards { true, true, true, true, false };
        QVERIFY(window.navigator().selectStep(step, StepClick::Panel));
        QTRY_VERIFY(window.stepPage(step)->isVisible());
        const QStringList unnamed = unnamedControls(window);
        QVERIFY2(unnamed.isEmpty(), qPrintable(QString("step %1: %2").arg(step).arg(unnamed.join(", "))));
    }
}

void AccessibleNamesTest::everyStepIsPressedByItsAction()
{
    MainWindow window(*m_workspace, m_dialogs);
    showPastTheAboutBox(window);
    if (QTest::currentTestFailed())
        return;

    // From the last step back, so that every press changes the step shown.
    for (int step = StepNavigator::lastStep; step >= StepNavigator::firstStep; --step) {
        m_workspace->guards() = StepGuards { true, true, true, true, false };
        QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(window.stepPanel(step));
        QCOMPARE(panel->role(), QAccessible::PageTab);
        QVERIFY(panel->actionInterface());
        QVERIFY(panel->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        panel->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(window.navigator().currentStep(), step);
        for (int other = StepNavigator::firstStep; other <= StepNavigator::lastStep; ++other) {
            const QAccessible::State state = QAccessible::queryAccessibleInterface(window.stepPanel(other))->state();
            QVERIFY2(state.selected == (other == step), qPrintable(QString("step %1 shown, panel %2").arg(step).arg(other)));
        }
    }
}

void AccessibleNamesTest::everyStatusLineIsReadable()
{
    MainWindow window(*m_workspace, m_dialogs);
    showPastTheAboutBox(window);
    if (QTest::currentTestFailed())
        return;

    for (int step = StepNavigator::firstStep; step <= StepNavigator::lastStep; ++step) {
        m_workspace->guards() = StepGuards { true, true, true, true, false };
        QVERIFY(window.navigator().selectStep(step, StepClick::Panel));
        QTRY_VERIFY(window.stepPage(step)->isVisible());
        QStringList checked;
        const QStringList unreadable = unreadableLines(*window.stepPage(step), checked);
        QVERIFY2(unreadable.isEmpty(), qPrintable(QString("step %1: %2").arg(step).arg(unreadable.join(", "))));
        if (step == 4) {
            QVERIFY2(checked.contains("Status") && checked.contains("Percentage"), qPrintable(checked.join(", ")));
        }
    }
}

// Every window besides the main window, with its title, made over the test's workspace.
std::vector<std::pair<const char*, std::unique_ptr<QWidget>>> AccessibleNamesTest::everyWindow(
    PreferencesPresenter& preferences, CatalogEditorPresenter& editor)
{
    std::vector<std::pair<const char*, std::unique_ptr<QWidget>>> list;
    list.emplace_back("About", std::make_unique<AboutBox>());
    list.emplace_back("New Catalog", std::make_unique<NewCatalogDialog>());
    list.emplace_back("Report", std::make_unique<ReportWindow>());
    list.emplace_back("Remote Settings", std::make_unique<RemoteSettingsDialog>(*m_workspace));
    list.emplace_back("Proxy Settings", std::make_unique<ProxySettingsDialog>(*m_workspace));
    list.emplace_back("FTP Wizard", std::make_unique<FtpWizardDialog>(*m_workspace));
    list.emplace_back("Preferences", std::make_unique<PreferencesDialog>(*m_workspace, preferences));
    list.emplace_back("Colour Previewer", std::make_unique<ColourPreviewerDialog>(*m_workspace, nullptr));
    list.emplace_back("Graphic Formats", std::make_unique<GraphicFormatsDialog>(*m_workspace, nullptr));
    list.emplace_back("JPEG Compression", std::make_unique<JpegCompressionDialog>(*m_workspace, nullptr));
    list.emplace_back("Catalog Editor", std::make_unique<CatalogEditorDialog>(editor, nullptr));
    return list;
}

void AccessibleNamesTest::everyWindowNamesItsControls()
{
    m_workspace->firstShow();
    PreferencesPresenter preferences(*m_workspace);
    CatalogEditorPresenter editor(*m_workspace);
    const auto windows = everyWindow(preferences, editor);
    for (const auto& [title, window] : windows) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        // Each page of a tabbed window is shown in turn.
        QStringList unnamed = unnamedControls(*window);
        for (QTabWidget* pages : window->findChildren<QTabWidget*>()) {
            for (int page = 0; page < pages->count(); ++page) {
                pages->setCurrentIndex(page);
                unnamed += unnamedControls(*window);
            }
        }
        unnamed.removeDuplicates();
        QVERIFY2(unnamed.isEmpty(), qPrintable(QString("%1: %2").arg(title, unnamed.join(", "))));
        window->hide();
    }
}

// A laptop's 1366 x 768 screen, less a desktop panel and a title bar.
void AccessibleNamesTest::everyWindowFitsALaptopScreen()
{
    m_workspace->firstShow();
    const QSize laptop(1366, 768 - 32 - 30);
    MainWindow main(*m_workspace, m_dialogs);
    QVERIFY2(laptop.expandedTo(main.minimumSize()) == laptop, "main window");
    PreferencesPresenter preferences(*m_workspace);
    CatalogEditorPresenter editor(*m_workspace);
    for (const auto& [title, window] : everyWindow(preferences, editor)) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QSize shown = window->size().expandedTo(window->minimumSizeHint());
        QVERIFY2(laptop.expandedTo(shown) == laptop,
            qPrintable(QString("%1: %2 x %3").arg(title).arg(shown.width()).arg(shown.height())));
        window->hide();
    }
}

} // namespace pictaven

QTEST_MAIN(pictaven::AccessibleNamesTest)
#include "AccessibleNamesTest.moc"
