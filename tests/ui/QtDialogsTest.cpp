#include "ui/QtDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

namespace pictaven
{

class QtDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void theSaveQuestionOffersSaveDiscardAndCancel();
    void everyWayOutOfTheSaveQuestionGivesItsAnswer();

private:
    // Asks the save question and lets `act` answer the box once it is shown. A box that `act`
    // leaves open is closed after a while, and the answer is then empty.
    std::optional<Dialogs::SaveChoice> answer(const std::function<void(QMessageBox&)>& act);
};

std::optional<Dialogs::SaveChoice> QtDialogsTest::answer(const std::function<void(QMessageBox&)>& act)
{
    QTimer::singleShot(0, this, [act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        box->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(box));
        act(*box);
    });
    bool stuck = false;
    QTimer giveUp;
    giveUp.setSingleShot(true);
    connect(&giveUp, &QTimer::timeout, this, [&stuck] {
        stuck = true;
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    giveUp.start(10000);
    QtDialogs dialogs;
    const Dialogs::SaveChoice choice
        = dialogs.askToSaveChanges("Catalog [Trip.CAT] has changed - Save catalog now? ");
    if (stuck)
        return std::nullopt;
    return choice;
}

void QtDialogsTest::theSaveQuestionOffersSaveDiscardAndCancel()
{
    QStringList captions;
    QStringList names;
    QString text;
    answer([&](QMessageBox& box) {
        text = box.text();
        for (QAbstractButton* button : box.buttons()) {
            captions.append(button->text());
            names.append(button->accessibleName());
        }
        box.escapeButton()->click();
    });
    QCOMPARE(text, QStringLiteral("Catalog [Trip.CAT] has changed - Save catalog now? "));
    captions.sort();
    names.sort();
    QCOMPARE(captions, (QStringList { "&Cancel", "&Discard", "&Save" }));
    QCOMPARE(names, (QStringList { "Cancel", "Discard", "Save" }));
}

void QtDialogsTest::everyWayOutOfTheSaveQuestionGivesItsAnswer()
{
    using Choice = Dialogs::SaveChoice;
    const auto press = [](const QString& caption) {
        return [caption](QMessageBox& box) {
            for (QAbstractButton* button : box.buttons()) {
                if (button->text() == caption)
                    button->click();
            }
        };
    };
    const struct {
        const char* what;
        std::function<void(QMessageBox&)> act;
        Choice expected;
    } cases[] = {
        { "Escape", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }, Choice::Cancel },
        { "closing the box", [](QMessageBox& box) { box.close(); }, Choice::Cancel },
        { "Cancel", press("&Cancel"), Choice::Cancel },
        { "Alt+D", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_D, Qt::AltModifier); }, Choice::Discard },
        { "Enter", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }, Choice::Save },
        { "Save", press("&Save"), Choice::Save },
    };
    for (const auto& c : cases)
        QVERIFY2(answer(c.act) == std::optional(c.expected), c.what);
}

} // namespace pictaven

QTEST_MAIN(pictaven::QtDialogsTest)
#include "QtDialogsTest.moc"
