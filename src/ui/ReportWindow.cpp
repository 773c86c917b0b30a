#include "ui/ReportWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace pictaven {

ReportWindow::ReportWindow(QWidget* parent)
    : QDialog(parent)
    , m_text(new QPlainTextEdit(this))
{
    setWindowTitle(title);
    setModal(true);
    setMinimumSize(360, 240);
    resize(560, 520);

    m_text->setObjectName("reportText");
    m_text->setAccessibleName("Report");
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({"Courier New", "Courier", font.family()});
    font.setStyleHint(QFont::TypeWriter);
    m_text->setFont(font);
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::Base, QColor(255, 255, 238));
    palette.setColor(QPalette::Text, Qt::black);
    m_text->setPalette(palette);

    auto* copy = new QPushButton("&Copy", this);
    copy->setObjectName("copyReport");
    copy->setAccessibleName("Copy");
    copy->setToolTip("Copy the whole report to the clipboard");
    auto* close = new QPushButton("C&lose", this);
    close->setObjectName("closeReport");
    close->setAccessibleName("Close");
    close->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    setTabOrder(m_text, copy);
    setTabOrder(copy, close);

    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(m_text->toPlainText()); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void ReportWindow::setReport(const QString& text)
{
    m_text->setPlainText(text);
}

void ReportWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace pictaven
