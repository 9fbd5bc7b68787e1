// SPDX-License-Identifier: GPL-3.0-or-later
// The main window played with the mouse and the keyboard: captions, pictures, enabled states.
#include "ui/form2.h"
#include "window_fixture.h"

#include <QFontDatabase>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>

using namespace dyadora;
using namespace dyadora::testing;

namespace {

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void designStateBeforeTheFirstRound();
    void roundPlayedByClickingTheSlots();
    void slotsShowTheHeldPicturesThemselves();
    void disabledSlotsIgnoreClicks();
    void disabledSlotKeepsItsPictureColours();
    void keyboardPressesButtons_data();
    void keyboardPressesButtons();
    void everyCaptionFitsItsControl();
    void slotsTellScreenReadersWhatTheyShow();
    void tabOrderFollowsTheDesign();
    void closingTheWindowIsAcceptedWhileEnabled();
};

// Pins the window's design values before any round: captions, states, sizes, hidden holders.
void MainWindowTest::designStateBeforeTheFirstRound()
{
    MainWindowFixture f;
    Form1& form = *f.form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Λαβυρίδες"));
    QVERIFY(!form.windowIcon().isNull());
    QCOMPARE(form.Command1->text(), QStringLiteral("Έναρξη παιχνιδιού"));
    QCOMPARE(form.Command2->text(), QStringLiteral("Βοήθεια"));
    QCOMPARE(form.Command3->text(), QStringLiteral("Έξοδος"));
    QCOMPARE(
        form.Command4->text(), QStringLiteral("Τερματισμός της παρτίδας και εμφάνιση εικόνων"));
    QCOMPARE(form.Label1->text(), QStringLiteral("Βαθμοί :"));
    QVERIFY(form.Command1->isEnabled() && form.Command2->isEnabled() && form.Command3->isEnabled());
    QVERIFY(!form.Command4->isEnabled());
    QCOMPARE(form.Command1->size(), QSize(297, 25));
    QCOMPARE(form.Command4->size(), QSize(265, 25));
    QCOMPARE(form.Label1->size(), QSize(169, 17));
    for (int i = 0; i < kSlots; ++i) {
        QVERIFY(f.slot(i)->picture().isNull());
        QVERIFY(!f.slot(i)->isEnabled());
        QCOMPARE(f.slot(i)->size(), QSize(120, 90));
        QCOMPARE(f.slot(i)->objectName(), QStringLiteral("Picture1"));
        QCOMPARE(f.slot(i)->property("index").toInt(), i);
    }
    // Nothing but the window icon is decoded before the first frame; the held pictures come
    // once, right after it.
    QCOMPARE(f.pictureLoads, 0);
    QVERIFY(form.Picture3->picture().isNull());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    DYADORA_TRY_COMPARE(f.pictureLoads, 1);
    for (PictureBox* holder : form.Picture2) {
        QVERIFY(!holder->isVisible());
        QCOMPARE(holder->picture().size(), QSize(120, 90));
    }
    QVERIFY(!form.Picture3->isVisible());
    QCOMPARE(form.Picture3->picture().cacheKey(), f.pictures.cover.cacheKey());
    QCOMPARE(form.controlPosition(form.Picture2[6]), QPointF(120 + 360 * 6 + 120, 7080));
    QCOMPARE(form.controlPosition(form.Picture2[17]), QPointF(120 + 360 * 17 + 240, 7080));
    QCOMPARE(form.findChild<QPushButton*>(QStringLiteral("Command4")), form.Command4);
}

// Pins a whole round played with real clicks, with the constant-zero deal (slots s and s + 12
// are a pair showing photo s mod 12): a mismatch, its covering, a pair, and the win.
void MainWindowTest::roundPlayedByClickingTheSlots()
{
    MainWindowFixture f;
    Form1& form = *f.form;
    f.press(form.Command1);
    QCOMPARE(form.Command1->text(), QStringLiteral("Τέλος τρέχουσας παρτίδας και αρχή άλλης"));
    QCOMPARE(form.Label1->text(), QStringLiteral("Βαθμοί : 20"));
    QVERIFY(form.Command4->isEnabled());

    f.clickSlot(0);
    f.clickSlot(1);
    QCOMPARE(form.Label1->text(), QStringLiteral("Βαθμοί : 19"));
    QCOMPARE(f.slot(1)->picture().cacheKey(), form.Picture2[1]->picture().cacheKey());
    QVERIFY(!f.slot(0)->isEnabled() && !f.slot(1)->isEnabled());

    f.clickSlot(2); // covers the mismatch
    QCOMPARE(f.slot(0)->picture().cacheKey(), form.Picture3->picture().cacheKey());
    QCOMPARE(f.slot(1)->picture().cacheKey(), form.Picture3->picture().cacheKey());
    QVERIFY(f.slot(0)->isEnabled() && f.slot(1)->isEnabled() && !f.slot(2)->isEnabled());
    f.clickSlot(14);
    QCOMPARE(form.Label1->text(), QStringLiteral("Βαθμοί : 19"));

    for (int s = 0; s < kPairs; ++s) {
        if (s != 2) {
            f.clickSlot(s);
            f.clickSlot(s + kPairs);
        }
    }
    QCOMPARE(form.Label1->text(), QStringLiteral("Βαθμοί : 19. Κερδίσατε!"));
    QCOMPARE(form.Command1->text(), QStringLiteral("Αρχή νέας παρτίδας"));
    QVERIFY(!form.Command4->isEnabled());
    for (int i = 0; i < kSlots; ++i) {
        QVERIFY(!f.slot(i)->isEnabled());
        QCOMPARE(f.slot(i)->picture().cacheKey(),
            form.Picture2[static_cast<std::size_t>(i % kPairs)]->picture().cacheKey());
    }

    f.press(form.Command1); // a new round from the ended one
    QCOMPARE(form.Label1->text(), QStringLiteral("Βαθμοί : 20"));
    f.press(form.Command4);
    QCOMPARE(form.Label1->text(), QStringLiteral("Η παρτίδα τερματίστηκε"));
}

// Pins that slots refer to the held picture objects (no copies) and that no assignment changes
// a held picture, over many rounds.
void MainWindowTest::slotsShowTheHeldPicturesThemselves()
{
    MainWindowFixture f;
    Form1& form = *f.form;
    f.press(form.Command1); // a window never shown decodes its pictures at the first deal
    QCOMPARE(f.pictureLoads, 1);
    std::vector<QImage> before;
    std::vector<qint64> keys;
    for (PictureBox* holder : form.Picture2) {
        before.push_back(holder->picture().design().toImage());
        keys.push_back(holder->picture().cacheKey());
    }
    const QImage coverBefore = form.Picture3->picture().design().toImage();

    for (int round = 0; round < 30; ++round) {
        f.press(form.Command1);
        f.clickSlot(round % 12);
        f.clickSlot(round % 12 + 12);
        QCOMPARE(f.slot(round % 12)->picture().cacheKey(),
            f.slot(round % 12 + 12)->picture().cacheKey());
        f.clickSlot((round + 1) % 12); // a first card beside the pair
        QCOMPARE(f.slot(round % 12)->picture().cacheKey(),
            form.Picture2[static_cast<std::size_t>(round % 12)]->picture().cacheKey());
        f.press(form.Command4);
    }
    for (std::size_t k = 0; k < form.Picture2.size(); ++k) {
        QCOMPARE(form.Picture2[k]->picture().cacheKey(), keys[k]);
        QCOMPARE(form.Picture2[k]->picture().design().toImage(), before[k]);
    }
    QCOMPARE(form.Picture3->picture().design().toImage(), coverBefore);
    form.OpenHelp();
    QCOMPARE(form.helpWindow()->windowIcon().pixmap(QSize(32, 32)).cacheKey(),
        f.pictures.helpWindowIcon.cacheKey());
    QCOMPARE(f.pictureLoads, 1); // once for the whole run
}

// Pins that disabled slots take no click: before the first round, and a face-up card.
void MainWindowTest::disabledSlotsIgnoreClicks()
{
    MainWindowFixture f;
    f.clickSlot(3);
    QVERIFY(f.slot(3)->picture().isNull());
    QCOMPARE(f.form->game().table(), Table {});

    f.press(f.form->Command1);
    f.clickSlot(0);
    f.clickSlot(0); // the same card again is not the second card of the turn
    QVERIFY(!f.slot(0)->isEnabled());
    f.clickSlot(12);
    QCOMPARE(f.form->Label1->text(), QStringLiteral("Βαθμοί : 20"));
    QCOMPARE(f.form->game().state().PairsFound, 1);
}

// Pins that a disabled slot draws its picture unchanged, not greyed out as Qt draws a disabled
// label's pixmap.
void MainWindowTest::disabledSlotKeepsItsPictureColours()
{
    MainWindowFixture f;
    f.press(f.form->Command1);
    f.clickSlot(4);
    PictureBox* slot = f.slot(4);
    QVERIFY(!slot->isEnabled());
    const QImage shown = slot->grab().toImage();
    const QImage photo = f.form->Picture2[4]->picture().design().toImage();
    const QPoint inside = slot->contentsRect().topLeft();
    for (const QPoint at : { QPoint(0, 0), QPoint(40, 30), QPoint(100, 70) }) {
        QCOMPARE(shown.pixel(inside + at), photo.pixel(at));
    }
    QCOMPARE(shown.pixel(0, 0) == photo.pixel(0, 0), false); // the frame lies over the corner
}

void MainWindowTest::keyboardPressesButtons_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("programEnds");

    QTest::newRow("Enter with the start button focused")
        << "Command1" << int(Qt::Key_Return) << "Βαθμοί : 20" << 0;
    QTest::newRow("Enter with the end button focused")
        << "Command4" << int(Qt::Key_Return) << "Η παρτίδα τερματίστηκε" << 0;
    QTest::newRow("Space on the focused end button")
        << "Command4" << int(Qt::Key_Space) << "Η παρτίδα τερματίστηκε" << 0;
    QTest::newRow("Esc with the start button focused")
        << "Command1" << int(Qt::Key_Escape) << "Βαθμοί : 20" << 1;
    QTest::newRow("Esc with a slot focused") << "slot" << int(Qt::Key_Escape) << "Βαθμοί : 20" << 1;
}

// Pins the keyboard: Enter presses the focused push button, Esc the exit button, Space the focused
// button. Each row starts from a round in progress. (Enter and Space on a card: test_cards.cpp.)
void MainWindowTest::keyboardPressesButtons()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, label);
    QFETCH(int, programEnds);

    MainWindowFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    f.press(f.form->Command1);
    f.clickSlot(7);
    f.clickSlot(8); // a mismatch: "Βαθμοί : 19"
    QWidget* target =
        focus == "slot" ? static_cast<QWidget*>(f.slot(9)) : f.form->findChild<QPushButton*>(focus);
    target->setFocus();
    QCOMPARE(f.form->focusWidget(), target);
    QTest::keyClick(target, static_cast<Qt::Key>(key));
    if (programEnds == 0) {
        QCOMPARE(f.form->Label1->text(), label);
    }
    QCOMPARE(f.programEnd.calls, programEnds);
}

// Pins that every caption the program can show fits its control with the default font, so no
// text is ever clipped.
void MainWindowTest::everyCaptionFitsItsControl()
{
    MainWindowFixture f;
    Form1& form = *f.form;
#ifdef Q_OS_WIN
    // Arial, or where Windows has none (Wine) its metric twin, never a face of other metrics.
    const QString family = QFontDatabase::hasFamily(QStringLiteral("Arial"))
        ? QStringLiteral("Arial")
        : QStringLiteral("Liberation Sans");
#else
    const QString family = QStringLiteral("Liberation Sans");
#endif
    QCOMPARE(QFontInfo(form.font()).family(), family);
    // The room the style leaves for a button's text inside its frame and margins.
    const auto fits = [](QPushButton* button, const QString& caption) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = caption;
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QSize needed = button->fontMetrics().size(Qt::TextShowMnemonic, caption);
        return needed.width() <= room.width() && needed.height() <= room.height();
    };
    for (const auto caption : { texts::kStartFirst, texts::kStartRestart, texts::kStartNew }) {
        QVERIFY2(fits(form.Command1, text(caption)), caption.data());
    }
    QVERIFY(fits(form.Command2, form.Command2->text()));
    QVERIFY(fits(form.Command3, form.Command3->text()));
    QVERIFY(fits(form.Command4, form.Command4->text()));

    const QFontMetrics metrics(form.Label1->font());
    for (const QString& caption : { QStringLiteral("Βαθμοί : 20. Κερδίσατε!"),
             QStringLiteral("Βαθμοί : 19"), text(texts::kLost), text(texts::kEndedByPlayer) }) {
        QVERIFY2(metrics.horizontalAdvance(caption) <= form.Label1->width(), qPrintable(caption));
        QVERIFY(metrics.height() <= form.Label1->height());
    }
}

// Pins the slots' accessible names and descriptions as the game changes them.
void MainWindowTest::slotsTellScreenReadersWhatTheyShow()
{
    MainWindowFixture f;
    QCOMPARE(f.slot(0)->accessibleName(), QStringLiteral("Κάρτα 1: σειρά 1, στήλη 1"));
    QCOMPARE(f.slot(23)->accessibleName(), QStringLiteral("Κάρτα 24: σειρά 4, στήλη 6"));
    QCOMPARE(f.slot(0)->accessibleDescription(), QStringLiteral("κενή θέση"));
    f.press(f.form->Command1);
    QCOMPARE(f.slot(0)->accessibleDescription(), QStringLiteral("κλειστή κάρτα"));
    f.clickSlot(0);
    QCOMPARE(f.slot(0)->accessibleDescription(), QStringLiteral("ανοιχτή κάρτα: γάτα"));
    QCOMPARE(f.slot(1)->accessibleDescription(), QStringLiteral("κλειστή κάρτα"));
}

// Pins the tab order: slots 0 to 15, the three top and exit buttons, the photo holders, slots
// 16 to 23, the end-and-reveal button, the cover holder.
void MainWindowTest::tabOrderFollowsTheDesign()
{
    MainWindowFixture f;
    Form1& form = *f.form;
    std::vector<QWidget*> expected;
    for (int i = 0; i < 16; ++i) {
        expected.push_back(f.slot(i));
    }
    expected.insert(expected.end(), { form.Command1, form.Command2, form.Command3 });
    expected.insert(expected.end(), form.Picture2.begin(), form.Picture2.end());
    for (int i = 16; i < kSlots; ++i) {
        expected.push_back(f.slot(i));
    }
    expected.insert(expected.end(), { form.Command4, form.Picture3 });
    for (std::size_t i = 1; i < expected.size(); ++i) {
        QCOMPARE(expected[i - 1]->nextInFocusChain(), expected[i]);
    }
}

// Pins that closing the main window through its title bar is accepted while it is enabled.
void MainWindowTest::closingTheWindowIsAcceptedWhileEnabled()
{
    MainWindowFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    f.press(f.form->Command1);
    QVERIFY(f.form->close());
    QVERIFY(!f.form->isVisible());
}

DYADORA_UI_TEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
