#include "ui/AboutBox.h"

#include "ui/ProductLinks.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

// The picture is compiled into the static ui library, whose resources must be registered by hand.
static void registerResources()
{
    Q_INIT_RESOURCE(pictaven);
}

namespace pictaven {

const char* const AboutBox::webAddress = ProductLinks::home;

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_picture(new QLabel(this))
    , m_link(new QLabel(this))
{
    registerResources();
    setObjectName("aboutBox");
    setWindowTitle("About Pictaven");
    setStyleSheet("#aboutBox { background: rgb(220, 230, 250); border: 1px solid rgb(60, 80, 140); }");

    m_picture->setPixmap(QPixmap(":/pictaven/about.png"));
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setCursor(Qt::PointingHandCursor);
    m_picture->installEventFilter(this);

    auto* title = new QLabel("Pictaven 3.03", this);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    const QString address = QString::fromLatin1(webAddress);
    m_link->setText(QString("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()));
    m_link->setTextFormat(Qt::RichText);
    m_link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_link->setAlignment(Qt::AlignCenter);
    connect(m_link, &QLabel::linkActivated, this, [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(m_picture);
    layout->addWidget(title);
    layout->addWidget(m_link);

    m_startupTimer.setSingleShot(true);
    m_startupTimer.setInterval(startupMilliseconds);
    connect(&m_startupTimer, &QTimer::timeout, this, &QDialog::accept);
    // A box closed early by a click must not be closed later by the start-up timer, should it be
    // opened again from the menu within the two seconds.
    connect(this, &QDialog::finished, &m_startupTimer, &QTimer::stop);
}

void AboutBox::openAtStartup()
{
    if (!m_timerUsed) {
        m_timerUsed = true;
        m_startupTimer.start();
    }
    openCentred();
}

void AboutBox::openCentred()
{
    adjustSize();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    open();
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_picture && event->type() == QEvent::MouseButtonRelease) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace pictaven
