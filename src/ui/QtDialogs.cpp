#include "ui/QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace pictaven {

namespace {

// Messages carry CR LF line ends; Qt wants LF alone.
QString displayText(const std::string& text)
{
    return QString::fromStdString(text).remove(QLatin1Char('\r'));
}

QMessageBox::StandardButton showBox(QMessageBox::Icon icon, const char* title, const std::string& text,
                                    QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, QString::fromLatin1(title), displayText(text), buttons);
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<std::string> chosen(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath()).toStdString();
}

} // namespace

void QtDialogs::showError(const std::string& text)
{
    showBox(QMessageBox::Critical, "Error", text, QMessageBox::Ok);
}

void QtDialogs::showWarning(const std::string& text)
{
    showBox(QMessageBox::Warning, "Warning", text, QMessageBox::Ok);
}

void QtDialogs::showInformation(const std::string& text)
{
    showBox(QMessageBox::Information, "Information", text, QMessageBox::Ok);
}

bool QtDialogs::askYesNo(const std::string& text)
{
    return showBox(QMessageBox::Warning, "Warning", text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Dialogs::SaveChoice QtDialogs::askToSaveChanges(const std::string& text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), displayText(text));
    box.setTextFormat(Qt::PlainText);
    const auto addButton = [&box](const char* caption, QMessageBox::ButtonRole role) {
        QPushButton* button = box.addButton(QString::fromLatin1(caption), role);
        button->setAccessibleName(QString::fromLatin1(caption).remove(QLatin1Char('&')));
        return button;
    };
    QPushButton* save = addButton("&Save", QMessageBox::AcceptRole);
    QPushButton* discard = addButton("&Discard", QMessageBox::DestructiveRole);
    QPushButton* cancel = addButton("&Cancel", QMessageBox::RejectRole);
    box.setDefaultButton(save);
    // Escape and the window's close button both answer Cancel, which drops nothing.
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveChoice::Save;
    if (box.clickedButton() == discard)
        return SaveChoice::Discard;
    return SaveChoice::Cancel;
}

std::optional<std::string> QtDialogs::chooseOpenFile(const std::string& title, const std::string& folder,
                                                     const std::string& filter)
{
    return chosen(QFileDialog::getOpenFileName(nullptr, QString::fromStdString(title), QString::fromStdString(folder),
                                               QString::fromStdString(filter)));
}

std::optional<std::string> QtDialogs::chooseSaveFile(const std::string& title, const std::string& folder,
                                                     const std::string& suggestedName, const std::string& filter)
{
    const QString start = QDir(QString::fromStdString(folder)).filePath(QString::fromStdString(suggestedName));
    return chosen(QFileDialog::getSaveFileName(nullptr, QString::fromStdString(title), start,
                                               QString::fromStdString(filter)));
}

std::optional<std::string> QtDialogs::chooseFolder(const std::string& title, const std::string& folder)
{
    return chosen(QFileDialog::getExistingDirectory(nullptr, QString::fromStdString(title),
                                                    QString::fromStdString(folder)));
}

void QtDialogs::beep()
{
    QApplication::beep();
}

} // namespace pictaven
