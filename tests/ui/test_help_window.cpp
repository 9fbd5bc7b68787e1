// SPDX-License-Identifier: GPL-3.0-or-later
// The help window: its text, its centring, and the main window disabled while it is open.
#include "ui/form2.h"
#include "window_fixture.h"

#include <QScreen>
#include <QSignalSpy>
#include <QWindow>

using namespace dyadora;
using namespace dyadora::testing;

namespace {

Form2* openHelp(MainWindowFixture& f)
{
    MainWindowFixture::press(f.form->Command2);
    return f.form->helpWindow();
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void helpTextIsWrittenExactly();
    void reopeningShowsTheTextOnce();
    void helpTextFitsItsLabel();
    void helpWindowHasAFixedSizeAndItsOwnLook();
    void everyClosingPathEnablesTheMainWindow_data();
    void everyClosingPathEnablesTheMainWindow();
    void mainWindowTakesNoInputWhileHelpIsOpen_data();
    void mainWindowTakesNoInputWhileHelpIsOpen();
    void helpWindowIsCentred();
    void helpCannotBeLostAndFocusComesBack();
};

// Pins the finished text: 13 lines split by lone CRs, no LF, the fixed lines to the letter, the
// cited captions in straight quotes, and nothing after the last line.
void HelpWindowTest::helpTextIsWrittenExactly()
{
    MainWindowFixture f;
    Form2* help = openHelp(f);
    QVERIFY(help != nullptr);
    const QString caption = help->Label1->caption();
    QCOMPARE(caption.count(QLatin1Char('\r')), 12);
    QVERIFY(!caption.contains(QLatin1Char('\n')));
    const QStringList lines = caption.split(QLatin1Char('\r'));
    QCOMPARE(lines.size(), 13);
    QCOMPARE(lines[0],
        QStringLiteral("   Οι \"Λαβυρίδες\" είναι ένα παιχνίδι μνήμης όπου δίνονται στις 24 θέσεις "
                       "ανακατεμένα 12 ζευγάρια ίδιων φωτογραφιών και ο παίκτης προσπαθεί να "
                       "ανακαλύψει τα ζευγάρια αυτά."));
    QCOMPARE(lines[1],
        QStringLiteral(
            "   Για να ξεκινήσει το παιχνίδι πατάτε το κουμπί \"Έναρξη παιχνιδιού\". Τα 12 "
            "ζευγάρια των φωτογραφιών είναι κρυμμένα και οι 24 θέσεις καλύπτονται από "
            "ερωτηματικά."));
    QCOMPARE(lines[2], QString());
    QCOMPARE(lines[3], QStringLiteral("Κάνετε κλίκ σε δύο φωτογραφίες που θα επιλέξετε."));
    QCOMPARE(lines[4],
        QStringLiteral("   Αν έχετε επιλέξει ένα ζευγάρι από ίδιες φωτογραφίες τότε οι φωτογραφίες "
                       "αυτές θα παραμείνουν ανοιχτές και το παιχνίδι συνεχίζεται."));
    QVERIFY(
        lines[5].startsWith(QStringLiteral("   ")) && !lines[5].startsWith(QStringLiteral("    ")));
    QCOMPARE(lines[6],
        QStringLiteral("   Αυτή τη διαδικασία πρέπει να συνεχίσετε έως ότου να ανοιχτούν και τα 12 "
                       "ζευγάρια."));
    QVERIFY(lines[7].startsWith(QStringLiteral("   Οι βαθμοί σας αρχικά είναι 20 ")));
    QCOMPARE(lines[8], QString());
    QVERIFY(
        lines[9].startsWith(QStringLiteral("   ")) && !lines[9].startsWith(QStringLiteral("    ")));
    QVERIFY(lines[9].contains(QStringLiteral(" \"Τέλος τρέχουσας παρτίδας και αρχή άλλης\"")));
    QVERIFY(lines[9].endsWith(QStringLiteral(" \"Τέλος παρτίδας και εμφάνιση εικόνων\".")));
    QCOMPARE(lines[10],
        QStringLiteral("   Εάν ένα παιχνίδι έχει λήξει και θέλετε να ξεκινήσετε ένα νέο, και πάλι "
                       "πατάτε το κουμπί, που αυτή τη φορα γράφει \"Αρχή νέας παρτίδας\"."));
    QCOMPARE(lines[11],
        QStringLiteral("   Οποιαδήποτε στιγμή θέλετε να τερματίσετε το παιχνίδι και την εφαρμογή "
                       "πατάτε το κουμπί \"Έξοδος\"."));
    QCOMPARE(lines[12], QStringLiteral("Καλή διασκέδαση!"));
    // Quotation marks are the straight ones, and only around the six cited names.
    QCOMPARE(caption.count(QLatin1Char('"')), 12);
    for (const QChar curly : { QChar(0x201C), QChar(0x201D), QChar(0x00AB), QChar(0x00BB) }) {
        QVERIFY(!caption.contains(curly));
    }
    // The label shows each CR as a line break.
    QString shown = caption;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QCOMPARE(help->Label1->text(), shown);
}

// Pins that every opening writes the text afresh: once, not appended to an earlier opening's.
void HelpWindowTest::reopeningShowsTheTextOnce()
{
    MainWindowFixture f;
    const QString first = openHelp(f)->Label1->caption();
    f.form->helpWindow()->CloseHelp();
    DYADORA_TRY_VERIFY(f.form->helpWindow() == nullptr);
    Form2* again = openHelp(f);
    QVERIFY(again != nullptr);
    QCOMPARE(again->Label1->caption(), first);
    QCOMPARE(again->Label1->caption().count(QStringLiteral("Καλή διασκέδαση!")), 1);
}

// Pins that the whole text, wrapped at the label's width in the default font, fits its height.
void HelpWindowTest::helpTextFitsItsLabel()
{
    MainWindowFixture f;
    Form2* help = openHelp(f);
    const CaptionLabel* label = help->Label1;
    QCOMPARE(label->size(), QSize(529, 353));
    const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 10000),
        Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, label->text());
    QVERIFY2(needed.height() <= label->height(),
        qPrintable(QStringLiteral("needs %1 px").arg(needed.height())));
    QVERIFY(label->heightForWidth(label->width()) <= label->height());
}

// Pins the help window's caption, size, icon and border: fixed size, no minimise or maximise.
void HelpWindowTest::helpWindowHasAFixedSizeAndItsOwnLook()
{
    MainWindowFixture f;
    Form2* help = openHelp(f);
    QCOMPARE(help->windowTitle(), QStringLiteral("Βοήθεια στις λαβυρίδες"));
    QCOMPARE(help->size(), QSize(546, 396));
    QCOMPARE(help->minimumSize(), help->maximumSize());
    QVERIFY(!help->windowIcon().isNull());
    QVERIFY(help->windowIcon().cacheKey() != f.form->windowIcon().cacheKey());
    const Qt::WindowFlags flags = help->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(help->parentWidget() == nullptr);
    QVERIFY(!help->isModal());
    QCOMPARE(help->Command1->text(), QStringLiteral("OK"));
    QCOMPARE(help->Command1->geometry(), QRect(232, 368, 65, 25));
    QCOMPARE(help->Label1->pos(), QPoint(8, 8));
}

void HelpWindowTest::everyClosingPathEnablesTheMainWindow_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("click on OK") << "click";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("space bar") << "space";
    QTest::newRow("close box or Alt+F4") << "close";
}

// Pins that whatever closes the help window, the main window is enabled again and nothing of the
// help window is left.
void HelpWindowTest::everyClosingPathEnablesTheMainWindow()
{
    QFETCH(QString, path);
    MainWindowFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    QPointer<Form2> help = openHelp(f);
    QVERIFY(QTest::qWaitForWindowExposed(help.data()));
    QVERIFY(!f.form->isEnabled());
    QVERIFY(help->isVisible());

    bool enabledBeforeDestroyed = false;
    connect(help.data(), &QObject::destroyed, f.form.get(),
        [&] { enabledBeforeDestroyed = f.form->isEnabled(); });
    if (path == "click") {
        QTest::mouseClick(help->Command1, Qt::LeftButton);
    } else if (path == "enter") {
        QTest::keyClick(help->Command1, Qt::Key_Return);
    } else if (path == "esc") {
        QTest::keyClick(help->Label1, Qt::Key_Escape);
    } else if (path == "space") {
        QTest::keyClick(help->Command1, Qt::Key_Space);
    } else {
        QVERIFY(help->close());
    }
    QVERIFY(f.form->isEnabled());
    DYADORA_TRY_VERIFY(help.isNull());
    QVERIFY(enabledBeforeDestroyed);
    QVERIFY(f.form->helpWindow() == nullptr);
    QCOMPARE(f.programEnd.calls, 0);
}

void HelpWindowTest::mainWindowTakesNoInputWhileHelpIsOpen_data()
{
    QTest::addColumn<int>("cardsUp");
    QTest::newRow("one card face up") << 1;
    QTest::newRow("a mismatched pair face up") << 2;
}

// Pins that the disabled main window ignores clicks, keys and the window manager's close while
// help is open, and that the round goes on from the same state afterwards.
void HelpWindowTest::mainWindowTakesNoInputWhileHelpIsOpen()
{
    QFETCH(int, cardsUp);
    MainWindowFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    f.press(f.form->Command1);
    f.clickSlot(5);
    if (cardsUp == 2) {
        f.clickSlot(6);
    }
    const Table before = f.form->game().table();
    const GameState stateBefore = f.form->game().state();

    Form2* help = openHelp(f);
    QVERIFY(help != nullptr);
    for (int i = 0; i < kSlots; ++i) {
        f.clickSlot(i);
    }
    for (QPushButton* button :
        { f.form->Command1, f.form->Command2, f.form->Command3, f.form->Command4 }) {
        f.press(button);
    }
    QTest::keyClick(f.form.get(), Qt::Key_Escape);
    QTest::keyClick(f.form.get(), Qt::Key_Return);
    QVERIFY(!f.form->close()); // a window manager's close on the disabled window is refused
    QVERIFY(f.form->isVisible());
    QCOMPARE(f.form->game().table(), before);
    QCOMPARE(fieldsOf(f.form->game().state()), fieldsOf(stateBefore));
    QCOMPARE(f.programEnd.calls, 0);
    QCOMPARE(f.form->helpWindow(), help);

    help->CloseHelp();
    DYADORA_TRY_VERIFY(f.form->helpWindow() == nullptr);
    f.clickSlot(17); // the partner of slot 5 under the constant-zero deal
    if (cardsUp == 1) {
        QCOMPARE(f.form->game().state().PairsFound, 1);
    } else {
        // The click is a first card: it covers the mismatch.
        QCOMPARE(f.slot(5)->picture().cacheKey(), f.form->Picture3->picture().cacheKey());
        QVERIFY(f.slot(6)->isEnabled());
    }
}

// Pins the help window's centring by its outer size, unrounded and unclamped.
void HelpWindowTest::helpWindowIsCentred()
{
    MainWindowFixture f;
    Form2* help = openHelp(f);
    QVERIFY(help != nullptr);
    // 546 x 396 inside a 3, 22, 3, 3 pixel frame: 8280 x 6315 twips.
    QCOMPARE(help->measures().width(), 8280.f);
    QCOMPARE(help->measures().height(), 6315.f);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    if (screen == QSize(1280, 1024)) {
        QCOMPARE(help->measures().top(), 4522.5f); // (15360 - 6315) / 2
        QCOMPARE(help->measures().left(), 5460.f); // (19200 - 8280) / 2
    } else if (screen == QSize(512, 400)) {
        QCOMPARE(help->measures().top(), -157.5f); // (6000 - 6315) / 2
        QCOMPARE(help->measures().left(), -300.f); // (7680 - 8280) / 2
        QCOMPARE(help->pos(), QPoint(-20, -11));
    } else {
        QFAIL("run on the 1280 x 1024 or the 512 x 400 test screen");
    }
}

// Pins that activating the main window while help is open brings the help window back with the
// activation, and that closing help gives the focus back to the control that opened it.
void HelpWindowTest::helpCannotBeLostAndFocusComesBack()
{
    MainWindowFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    f.form->Command2->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.form->Command2, Qt::Key_Space);
    Form2* help = f.form->helpWindow();
    QVERIFY(help != nullptr);
    DYADORA_TRY_VERIFY(help->isActiveWindow());

    QSignalSpy activations(qApp, &QGuiApplication::focusWindowChanged);
    f.form->activateWindow(); // as a click on the disabled main window does
    DYADORA_TRY_VERIFY(activations.count() >= 2);
    QCOMPARE(activations.first().first().value<QWindow*>(), f.form->windowHandle());
    DYADORA_TRY_VERIFY(help->isActiveWindow());
    QVERIFY(help->isVisible());
    QVERIFY(!f.form->isEnabled());

    QTest::keyClick(help, Qt::Key_Escape);
    DYADORA_TRY_VERIFY(f.form->helpWindow() == nullptr);
    QVERIFY(f.form->isEnabled());
    QCOMPARE(f.form->focusWidget(), f.form->Command2);
    DYADORA_TRY_VERIFY(f.form->isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), f.form->Command2);
}

DYADORA_UI_TEST_MAIN(HelpWindowTest)
#include "test_help_window.moc"
