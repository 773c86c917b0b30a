#include "StepWindow.h"
#include "WhenShown.h"
#include "ui/HelpWindow.h"
#include "ui/NewCatalogDialog.h"
#include "ui/RemoteSettingsDialog.h"
#include "ui/WindowCommands.h"
#include "ui/WindowHelp.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <functional>

namespace pictaven
{
class MainWindow;
}

using Opener = std::function<void(pictaven::MainWindow&)>;
Q_DECLARE_METATYPE(Opener)

namespace pictaven
{

using test::StepWindow;
using test::whenShown;

class HelpPagesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyTopicShowsItsPageWithItsPictures();
    void everyLinkLeadsToAPageAndAnchorThatExist();
    void f1InsideAWindowShowsThatWindowsPageBesideIt_data();
    void f1InsideAWindowShowsThatWindowsPageBesideIt();

private:
    QString helpFolder() const { return QString::fromStdString(m_window->workspace->helpFolder()); }

    std::unique_ptr<StepWindow> m_window;
};

void HelpPagesTest::init()
{
    m_window = std::make_unique<StepWindow>();
    m_window->start();
    m_window->addPhotos(2);
}

void HelpPagesTest::cleanup()
{
    m_window.reset();
}

// The image names of a shown page, as its document holds them.
static QStringList pictureNames(const QTextDocument& document)
{
    QStringList names;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (format.isImageFormat())
                names.append(format.toImageFormat().name());
        }
    }
    return names;
}

void HelpPagesTest::everyTopicShowsItsPageWithItsPictures()
{
    HelpWindow* help = m_window->window->helpWindow();
    for (const QString& topic : allHelpTopics()) {
        help->showTopic(topic.toStdString());
        const QTextBrowser* browser = help->browser();
        QCOMPARE(browser->source().toLocalFile(), helpFolder() + topic + ".html");
        QCOMPARE(browser->source().fragment(), topic);
        QVERIFY2(
            browser->document()->toHtml().contains(QString("name=\"%1\"").arg(topic)), qPrintable(topic));
        const QStringList pictures = pictureNames(*browser->document());
        QVERIFY2(!pictures.isEmpty(), qPrintable(topic + " shows no picture"));
        for (const QString& picture : pictures) {
            const QVariant loaded
                = browser->document()->resource(QTextDocument::ImageResource, QUrl(picture));
            QVERIFY2(loaded.isValid(), qPrintable(topic + ": " + picture));
        }
    }
    help->showTopic("No_Such_Topic");
    QVERIFY(help->browser()->toPlainText().contains("No_Such_Topic.html cannot be found"));
}

void HelpPagesTest::everyLinkLeadsToAPageAndAnchorThatExist()
{
    const QDir folder(helpFolder());
    const QStringList pages = folder.entryList({ "*.html" }, QDir::Files);
    QVERIFY(pages.contains("index.html"));
    const QRegularExpression link(R"(href="([^"#]+)(?:#([^"]*))?")");
    for (const QString& page : pages) {
        QFile file(folder.filePath(page));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = link.globalMatch(text); match.hasNext();) {
            const auto found = match.next();
            const QString target = found.captured(1);
            if (target.startsWith("http"))
                continue;
            QFile linked(folder.filePath(target));
            QVERIFY2(linked.open(QIODevice::ReadOnly), qPrintable(page + " -> " + target));
            const QString anchor = found.captured(2);
            if (!anchor.isEmpty())
                QVERIFY2(linked.readAll().contains(("name=\"" + anchor + "\"").toUtf8()),
                    qPrintable(page + " -> " + target + "#" + anchor));
        }
    }
}

void HelpPagesTest::f1InsideAWindowShowsThatWindowsPageBesideIt_data()
{
    QTest::addColumn<Opener>("open");
    QTest::addColumn<QString>("innerButton");
    QTest::addColumn<QString>("topic");
    QTest::newRow("preferences") << Opener([](MainWindow& w) { w.commands().openPreferences(); }) << ""
                                 << "Preferences";
    QTest::newRow("colour previewer")
        << Opener([](MainWindow& w) { w.commands().openColourPreviewer(); }) << ""
        << "Colour_Previewer";
    QTest::newRow("catalog editor") << Opener([](MainWindow& w) { w.commands().openCatalogEditor(); }) << ""
                                    << "Catalog_Editor";
    QTest::newRow("graphic formats") << Opener([](MainWindow& w) { w.commands().openGraphicFormats(); }) << ""
                                     << "Graphic_Formats";
    QTest::newRow("jpeg compression")
        << Opener([](MainWindow& w) { w.commands().openJpegCompression(); }) << ""
        << "JPEG_Compression";
    QTest::newRow("remote settings") << Opener([](MainWindow& w) { w.commands().openFtpSettings(); }) << ""
                                     << "Remote_Settings";
    QTest::newRow("ftp wizard") << Opener([](MainWindow& w) { w.commands().openFtpSettings(); })
                                << "ftpWizard"
                                << "FTP_Wizard";
    QTest::newRow("proxy settings") << Opener([](MainWindow& w) { w.commands().openFtpSettings(); })
                                    << "proxySettings"
                                    << "Proxy_Settings";
    QTest::newRow("new catalog") << Opener([](MainWindow& w) { w.newCatalogDialog()->askName(); }) << ""
                                 << "New_Catalog";
    QTest::newRow("report") << Opener([](MainWindow& w) { w.commands().openReport(); }) << ""
                            << "Diagnostic_Report";
}

void HelpPagesTest::f1InsideAWindowShowsThatWindowsPageBesideIt()
{
    QFETCH(Opener, open);
    QFETCH(QString, innerButton);
    QFETCH(QString, topic);

    QString shownTopic;
    bool besideTheWindow = false;
    const auto pressF1 = [&](QDialog& dialog) {
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key_F1);
        auto* help = dialog.findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(help);
        // A child of the modal window is the only kind of window it leaves usable.
        besideTheWindow = help->isVisible() && help->isWindow();
        shownTopic = help->browser()->source().fragment();
    };
    if (innerButton.isEmpty()) {
        whenShown<QDialog>(pressF1);
    } else {
        whenShown<QDialog>([&](QDialog& outer) {
            whenShown<QDialog>([&](QDialog& inner) {
                QVERIFY(&inner != &outer);
                pressF1(inner);
            });
            auto* button = outer.findChild<QAbstractButton*>(innerButton);
            QVERIFY(button);
            button->click();
        });
    }
    open(*m_window->window);
    QCOMPARE(shownTopic, topic);
    QVERIFY(besideTheWindow);
    QVERIFY(!m_window->window->helpWindow()->isVisible());
}

} // namespace pictaven

QTEST_MAIN(pictaven::HelpPagesTest)
#include "HelpPagesTest.moc"
