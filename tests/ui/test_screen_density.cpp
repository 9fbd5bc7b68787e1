// SPDX-License-Identifier: GPL-3.0-or-later
// The main window moved from a screen at a ratio of 1 to one at 2: its cards and its icon change
// to the large pictures without a restart, and the large ones are not decoded before.
#include "ui/card_slot.h"
#include "ui/form1.h"
#include "window_fixture.h"

#include <QPushButton>
#include <QScreen>
#include <QWindow>

using namespace dyadora;
using namespace dyadora::testing;

class ScreenDensityTest : public QObject {
    Q_OBJECT

private slots:
    void movingToADenserScreenShowsTheLargePictures();
};

void ScreenDensityTest::movingToADenserScreenShowsTheLargePictures()
{
    QCOMPARE(QGuiApplication::screens().size(), 2);
    MainWindowFixture f;
    Form1& form = *f.form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    MainWindowFixture::press(form.Command1);
    QCOMPARE(form.devicePixelRatioF(), 1.0);
    QVERIFY(!form.grab().isNull());
    QVERIFY(!f.pictures.cover.isLargeDecoded());
    QCOMPARE(form.windowIcon().availableSizes(), QList<QSize> { QSize(64, 64) });

    // Moved onto the second screen, as a player drags it there.
    const QRect second = QGuiApplication::screens().at(1)->geometry();
    form.move(second.topLeft() + QPoint(100, 100));
    DYADORA_TRY_VERIFY(form.screen() == QGuiApplication::screens().at(1));
    if (!QTest::qWaitFor([&form] { return qFuzzyCompare(form.devicePixelRatioF(), 2.0); })) {
        // Qt 6.8's offscreen windows keep a ratio of 1 on any screen; e2e.high_density covers
        // the real screens there.
        QSKIP("this offscreen platform gives a window no device pixel ratio of its screen's");
    }
    DYADORA_TRY_COMPARE(
        form.windowIcon().availableSizes(), (QList<QSize> { QSize(64, 64), QSize(128, 128) }));
    // A card's inside shows the large cover's own pixels, one to one.
    CardSlot* card = f.slot(0);
    QImage shown = card->grab().toImage().convertToFormat(QImage::Format_RGB32);
    shown.setDevicePixelRatio(1.0);
    QVERIFY(f.pictures.cover.isLargeDecoded());
    const QRect inside = card->contentsRect();
    const QImage expected = f.pictures.cover.forRatio(2.0)
                                .toImage()
                                .convertToFormat(QImage::Format_RGB32)
                                .copy(0, 0, inside.width() * 2, inside.height() * 2);
    QCOMPARE(shown.copy(QRect(inside.topLeft() * 2, inside.size() * 2)), expected);
    QVERIFY(!f.pictures.photos[0].isLargeDecoded()); // no photo is face up
}

DYADORA_UI_TEST_MAIN(ScreenDensityTest)
#include "test_screen_density.moc"
