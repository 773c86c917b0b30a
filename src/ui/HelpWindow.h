#pragma once

#include <QMainWindow>
#include <string>

class QTextBrowser;

namespace pictaven {

// Shows the HTML help pages of the program folder's help/ folder: index.html is the contents,
// and each topic ("Moving_Files", ...) is the anchor of that name in help/<topic>.html. Links
// to other help pages follow inside the window; web addresses open in the default browser.
class HelpWindow : public QMainWindow {
    Q_OBJECT

public:
    // `helpFolder` ends in "/".
    explicit HelpWindow(std::string helpFolder, QWidget* parent = nullptr);

    void showContents();
    void showTopic(const std::string& topic);

    QTextBrowser* browser() const { return m_browser; }

private:
    void showPage(const QString& fileName, const QString& anchor);

    std::string m_helpFolder;
    QTextBrowser* m_browser;
};

} // namespace pictaven
