// SPDX-License-Identifier: GPL-3.0-or-later
// A main window over a constant-zero random source, whose deal is always slot s = pair s mod 12,
// showing photo s mod 12; and small helpers to click its controls.
#pragma once

#include "../game/fakes.h"
#include "assets/pictures.h"
#include "platform/app_font.h"
#include "ui/card_slot.h"
#include "ui/form1.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace dyadora::testing {

struct MainWindowFixture {
    ScriptedRandom random { { 0.0f } };
    RecordingProgramEnd programEnd;
    assets::PictureSet pictures = assets::loadPictureSet();
    int pictureLoads = 0;
    std::unique_ptr<Form1> form = std::make_unique<Form1>(
        [this] {
            ++pictureLoads;
            return pictures;
        },
        assets::loadMainWindowIcon(), random, programEnd);

    CardSlot* slot(int i) const { return form->Picture1[static_cast<std::size_t>(i)]; }
    void clickSlot(int i) const { QTest::mouseClick(slot(i), Qt::LeftButton); }
    static void press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
};

} // namespace dyadora::testing

// A QtTest main that gives the tests the program's own default font.
#define DYADORA_UI_TEST_MAIN(TestClass)                                                            \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        dyadora::installApplicationFont();                                                         \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

// QTRY_VERIFY and QTRY_COMPARE as the tests use them: up to 5 s of handling events until the
// condition holds, then the same QVERIFY or QCOMPARE. Qt 6.8's own QTRY_* macros narrow their
// millisecond count to int where they are expanded, a -Wconversion warning in every test.
#define DYADORA_TRY_VERIFY(expr)                                                                   \
    do {                                                                                           \
        (void)QTest::qWaitFor([&] { return static_cast<bool>(expr); }, 5000);                      \
        QVERIFY(expr);                                                                             \
    } while (false)
#define DYADORA_TRY_COMPARE(actual, expected)                                                      \
    do {                                                                                           \
        (void)QTest::qWaitFor([&] { return (actual) == (expected); }, 5000);                       \
        QCOMPARE(actual, expected);                                                                \
    } while (false)
