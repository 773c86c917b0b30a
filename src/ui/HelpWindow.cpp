#include "ui/HelpWindow.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace pictaven {

HelpWindow::HelpWindow(std::string helpFolder, QWidget* parent)
    : QMainWindow(parent, Qt::Window)
    , m_helpFolder(std::move(helpFolder))
    , m_browser(new QTextBrowser(this))
{
    setWindowTitle("Pictaven Help");
    resize(880, 660);
    m_browser->setOpenExternalLinks(true);
    setCentralWidget(m_browser);

    QToolBar* bar = addToolBar("Navigation");
    bar->setMovable(false);
    bar->addAction("&Contents", this, &HelpWindow::showContents);
    QAction* back = bar->addAction("&Back", m_browser, &QTextBrowser::backward);
    QAction* forward = bar->addAction("&Forward", m_browser, &QTextBrowser::forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
}

void HelpWindow::showContents()
{
    showPage("index.html", QString());
}

void HelpWindow::showTopic(const std::string& topic)
{
    const QString name = QString::fromStdString(topic);
    showPage(name + ".html", name);
}

void HelpWindow::showPage(const QString& fileName, const QString& anchor)
{
    const QString path = QString::fromStdString(m_helpFolder) + fileName;
    if (QFileInfo(path).isFile()) {
        QUrl url = QUrl::fromLocalFile(path);
        if (!anchor.isEmpty())
            url.setFragment(anchor);
        m_browser->setSource(url);
    } else {
        m_browser->setPlainText("The help page " + path + " cannot be found.");
    }
    show();
    raise();
    activateWindow();
}

} // namespace pictaven
