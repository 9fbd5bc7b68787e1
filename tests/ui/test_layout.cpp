// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's centring and layout in twips, on a 1280 x 1024 screen with no frame.
#include "ui/layout.h"
#include "window_fixture.h"

#include <QLabel>
#include <QScreen>

#include <cmath>
#include <optional>

using namespace dyadora;
using namespace dyadora::testing;

namespace {

// Expected twips positions of the controls that the layout moves.
struct Expected {
    QPointF slot0, slot5, slot18, slot23, command4, command3;
    double command2Left;
};

} // namespace

Q_DECLARE_METATYPE(Expected)

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void layoutFollowsTheOuterSize_data();
    void layoutFollowsTheOuterSize();
    void columnsMoveByTheirShareOfSixtyTwipsMore();
    void arithmeticKeepsFractionsInSinglePrecision();
    void centringOnTheScreen();
    void maximisedWindowSpreadsTheBoard();
    void minimisedWindowIsLeftAloneAndLaidOutOnRestore();
    void nestedResizeEndsWithTheCorrectedSize();
    void framesOfWindowManagers_data();
    void framesOfWindowManagers();
};

void LayoutTest::layoutFollowsTheOuterSize_data()
{
    QTest::addColumn<int>("clientWidth");
    QTest::addColumn<int>("clientHeight");
    QTest::addColumn<float>("outerWidth");
    QTest::addColumn<float>("outerHeight");
    QTest::addColumn<Expected>("expected");

    const Expected design { { 120, 600 }, { 9720, 600 }, { 120, 4920 }, { 9720, 4920 },
        { 6480, 6360 }, { 10560, 6360 }, 10680 };
    // Design client 776 x 454 pixels inside a 4, 23, 4, 4 pixel frame: 11760 x 7215 twips.
    QTest::newRow("design size") << 776 << 454 << 11760.f << 7215.f << design;
    QTest::newRow("narrower and lower snaps back") << 500 << 300 << 11760.f << 7215.f << design;
    QTest::newRow("narrower keeps its extra height")
        << 600 << 464 << 11760.f << 7365.f
        << Expected { { 120, 618.75 }, { 9720, 618.75 }, { 120, 5051.25 }, { 9720, 5051.25 },
               { 6480, 6510 }, { 10560, 6510 }, 10680 };
    QTest::newRow("lower keeps its extra width")
        << 872 << 100 << 13200.f << 7215.f
        << Expected { { 240, 600 }, { 11040, 600 }, { 240, 4920 }, { 11040, 4920 }, { 7920, 6360 },
               { 12000, 6360 }, 12120 };
    // 1440 twips wider: column c moves right by 120 (2c + 1). 810 higher: row r moves down by
    // 101.25 (2r + 1).
    QTest::newRow("1440 wider and 810 higher")
        << 872 << 508 << 13200.f << 8025.f
        << Expected { { 240, 701.25 }, { 11040, 701.25 }, { 240, 5628.75 }, { 11040, 5628.75 },
               { 7920, 7170 }, { 12000, 7170 }, 12120 };
}

// Pins the positions of the controls at a given outer size, and the snapping back to the design
// size of a window made smaller than it.
void LayoutTest::layoutFollowsTheOuterSize()
{
    QFETCH(int, clientWidth);
    QFETCH(int, clientHeight);
    QFETCH(float, outerWidth);
    QFETCH(float, outerHeight);
    QFETCH(Expected, expected);

    MainWindowFixture f;
    Form1& form = *f.form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.minimumSize(), QSize(776, 454)); // the design client area
    form.resize(900, 600);
    form.setMinimumSize(0, 0); // as a window manager that ignores the size hints would
    form.resize(clientWidth, clientHeight);

    QCOMPARE(form.measures().width(), outerWidth);
    QCOMPARE(form.measures().height(), outerHeight);
    QCOMPARE(form.controlPosition(f.slot(0)), expected.slot0);
    QCOMPARE(form.controlPosition(f.slot(5)), expected.slot5);
    QCOMPARE(form.controlPosition(f.slot(18)), expected.slot18);
    QCOMPARE(form.controlPosition(f.slot(23)), expected.slot23);
    QCOMPARE(form.controlPosition(form.Command4), expected.command4);
    QCOMPARE(form.controlPosition(form.Command3), expected.command3);
    QCOMPARE(form.controlPosition(form.Command2), QPointF(expected.command2Left, 120));
    // Placed on the nearest whole pixel.
    QCOMPARE(f.slot(23)->pos(),
        QPoint(qRound(expected.slot23.x() / 15), qRound(expected.slot23.y() / 15)));
    // Never moved by the layout.
    QCOMPARE(form.controlPosition(form.Command1), QPointF(120, 120));
    QCOMPARE(form.controlPosition(form.Label1), QPointF(4920, 240));
    QCOMPARE(form.controlPosition(form.Picture3), QPointF(9120, 7080));
}

// Pins the even spread of 60 extra twips over six columns: 5, 15, ... 55 twips.
void LayoutTest::columnsMoveByTheirShareOfSixtyTwipsMore()
{
    MainWindowFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    f.form->resize(780, 454);
    QCOMPARE(f.form->measures().width(), 11820.f);
    const double moves[] = { 5, 15, 25, 35, 45, 55 };
    for (int column = 0; column < 6; ++column) {
        for (int row = 0; row < 4; ++row) {
            const QPointF at = f.form->controlPosition(f.slot(row * 6 + column));
            QCOMPARE(at.x(), 120 + 1920 * column + moves[column]);
            QCOMPARE(at.y(), 600.0 + 1440 * row);
        }
    }
}

// Pins the arithmetic for extra room that no pixel size gives: a twelfth of 100 twips is held
// as a single-precision fraction, not rounded; 800 higher moves row r by 100 (2r + 1).
void LayoutTest::arithmeticKeepsFractionsInSinglePrecision()
{
    QCOMPARE(layout::slotLeft(0, 11860.f), 128.333328f);
    QCOMPARE(layout::slotLeft(5, 11860.f), 9811.66699f);
    QVERIFY(layout::slotLeft(0, 11860.f) != 128.f);
    QCOMPARE(layout::slotTop(0, 8015.f), 700.f);
    QCOMPARE(layout::slotTop(23, 8015.f), 5620.f);
    QCOMPARE(layout::command4Left(13200.f), 7920.f);
    QCOMPARE(layout::command3Top(8015.f), 7160.f);
}

// Pins the centring by outer size: unrounded (half a twip on this screen's odd difference) and
// unclamped (negative on a screen smaller than the window).
void LayoutTest::centringOnTheScreen()
{
    MainWindowFixture f;
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    if (screen == QSize(1280, 1024)) {
        QCOMPARE(f.form->measures().top(), 4072.5f); // (15360 - 7215) / 2
        QCOMPARE(f.form->measures().left(), 3720.f); // (19200 - 11760) / 2
        QCOMPARE(f.form->pos(), QPoint(248, 272)); // 271.5 pixels, to the nearest
    } else if (screen == QSize(512, 400)) {
        QCOMPARE(f.form->measures().top(), -607.5f); // (6000 - 7215) / 2
        QCOMPARE(f.form->measures().left(), -2040.f); // (7680 - 11760) / 2
        QCOMPARE(f.form->pos(), QPoint(-136, -41));
    } else {
        QFAIL("run on the 1280 x 1024 or the 512 x 400 test screen");
    }
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    QCOMPARE(f.form->measures().width(), 11760.f);
}

// Pins that a maximised window spreads the slots over the screen while the top-left controls
// stay put and the bottom buttons follow the bottom edge.
void LayoutTest::maximisedWindowSpreadsTheBoard()
{
    MainWindowFixture f;
    f.form->showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    DYADORA_TRY_VERIFY(f.form->measures().width() > 11760.f);
    const float width = f.form->measures().width();
    const float height = f.form->measures().height();
    QCOMPARE(f.form->controlPosition(f.form->Command3),
        QPointF(static_cast<double>(width) - 1200, static_cast<double>(height) - 855));
    QCOMPARE(f.form->controlPosition(f.form->Command2).x(), static_cast<double>(width) - 1080);
    QVERIFY(f.form->controlPosition(f.slot(23)).x() > 9720);
    QVERIFY(f.form->controlPosition(f.slot(23)).y() > 4920);
    QCOMPARE(f.form->controlPosition(f.form->Command1), QPointF(120, 120));
}

// Pins that minimising never ends the program or fights the window manager, and that restoring
// lays the window out again.
void LayoutTest::minimisedWindowIsLeftAloneAndLaidOutOnRestore()
{
    MainWindowFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    f.form->showMinimized();
    DYADORA_TRY_VERIFY(f.form->isMinimized());
    f.form->setMinimumSize(0, 0);
    f.form->resize(160, 30); // what a minimised window may report
    QCOMPARE(f.form->size(), QSize(160, 30));
    QCOMPARE(f.programEnd.calls, 0);

    f.form->showNormal();
    DYADORA_TRY_VERIFY(!f.form->isMinimized());
    QCOMPARE(f.form->measures().width(), 11760.f);
    QCOMPARE(f.form->measures().height(), 7215.f);
    QCOMPARE(f.form->controlPosition(f.slot(23)), QPointF(9720, 4920));
    QCOMPARE(f.programEnd.calls, 0);
}

// Pins that enlarging from inside the layout (a nested resize) still leaves every control where
// the final size puts it, whatever order the passes finish in.
void LayoutTest::nestedResizeEndsWithTheCorrectedSize()
{
    MainWindowFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    f.form->resize(900, 600);
    f.form->setMinimumSize(0, 0);
    f.form->resize(700, 600); // narrower than the design, higher than it
    QCOMPARE(f.form->measures().width(), 11760.f);
    QCOMPARE(f.form->measures().height(), 9405.f);
    QCOMPARE(f.form->controlPosition(f.form->Command4), QPointF(6480, 8550));
    QCOMPARE(f.form->controlPosition(f.slot(23)).y(), 4920 + 7 * 2190.0 / 8);
}

void LayoutTest::framesOfWindowManagers_data()
{
    QTest::addColumn<QMargins>("frame");
    QTest::newRow("the design frame") << QMargins(4, 23, 4, 4);
    QTest::newRow("thin (openbox)") << QMargins(1, 20, 1, 5);
    QTest::newRow("title bar only (metacity)") << QMargins(0, 37, 0, 0);
    QTest::newRow("thick (xfwm4)") << QMargins(5, 29, 5, 5);
    QTest::newRow("large title font") << QMargins(1, 42, 1, 5);
}

// Pins that whatever frame a window manager draws, the layout reckons with the design frame
// around the client area (so the design client area gives the design positions, and no frame can
// push the bottom buttons out of the window), while centring reckons with the frame as drawn.
void LayoutTest::framesOfWindowManagers()
{
    QFETCH(QMargins, frame);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    QWidget window;
    window.resize(776, 454);
    std::optional<QMargins> drawn; // nothing until the window manager has framed the window
    OuterMeasures measures(
        window, QMargins(4, 23, 4, 4), [&drawn](const QWidget&) { return drawn; });

    QCOMPARE(measures.width(), 11760.f);
    QCOMPARE(measures.height(), 7215.f);
    QCOMPARE(measures.clientSizeFor(11760.f, 7215.f), QSize(776, 454));
    QVERIFY(!measures.isNewlyFramedInPlace());
    centreOnScreen(measures); // by the design frame: the frame's top-left on the screen
    QCOMPARE(window.pos(),
        QPoint(qRound((screen.width() - 784) / 2.0), qRound((screen.height() - 481) / 2.0)));
    QVERIFY(measures.isWhereWritten());

    drawn = frame;
    const QPoint placed = window.pos();
    window.move(placed - QPoint(frame.left(), frame.top())); // shifted by the window manager
    QVERIFY(!measures.isNewlyFramedInPlace());
    window.move(placed); // and put back
    QVERIFY(measures.isNewlyFramedInPlace());
    QVERIFY(!measures.isNewlyFramedInPlace()); // once only
    QCOMPARE(measures.width(), 11760.f);
    QCOMPARE(measures.height(), 7215.f);
    const QSize outer = QSize(776, 454).grownBy(frame);
    QCOMPARE(measures.framedWidth(), 15.f * static_cast<float>(outer.width()));
    QCOMPARE(measures.framedHeight(), 15.f * static_cast<float>(outer.height()));
    centreOnScreen(measures);
    const float top = (15.f * static_cast<float>(screen.height() - outer.height())) / 2;
    QCOMPARE(measures.top(), top);
    QVERIFY(std::abs(window.pos().x() * 2 + outer.width() - screen.width()) <= 1);
    QVERIFY(std::abs(window.pos().y() * 2 + outer.height() - screen.height()) <= 1);

    window.move(window.pos() + QPoint(10, 0)); // placed by the user
    QVERIFY(!measures.isWhereWritten());
}

DYADORA_UI_TEST_MAIN(LayoutTest)
#include "test_layout.moc"
