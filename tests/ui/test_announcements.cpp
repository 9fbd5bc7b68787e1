// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology is sent after each move of a round played with real clicks: one
// announcement per move, none for a click that changes nothing, and the round's end urgent. On
// Windows with Qt 6.8 or later that is an announcement event (raised by Qt as a UI Automation
// notification); elsewhere the notification object shown with its new name.
#include "window_fixture.h"

#include "ui/announcer.h"

#include <QAccessible>

#include <vector>

using namespace dyadora;
using namespace dyadora::testing;

namespace {

#if defined(Q_OS_WIN) && QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
constexpr bool kAnnouncementEvents = true;
#else
constexpr bool kAnnouncementEvents = false;
#endif

struct Told {
    QString text;
    bool assertive = false;
};

// Every announcement sent while the test runs, in the form this platform sends it.
std::vector<Told> told;

void record(QAccessibleEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (kAnnouncementEvents && event->type() == QAccessible::Announcement) {
        const auto* announcement = static_cast<QAccessibleAnnouncementEvent*>(event);
        told.push_back({ announcement->message(),
            announcement->politeness() == QAccessible::AnnouncementPoliteness::Assertive });
        return;
    }
#endif
    // Qt also tells of the notification shown with its window, before there is anything to say.
    if (!kAnnouncementEvents && event->type() == QAccessible::ObjectShow) {
        auto* announcer = qobject_cast<Announcer*>(event->object());
        if (announcer != nullptr && !announcer->text().isEmpty()) {
            told.push_back({ announcer->text(), false });
        }
    }
}

} // namespace

class AnnouncementsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
        // Before 6.8 Qt hands no event on while no accessibility bridge is active, and the
        // offscreen platform has none (the AT-SPI end-to-end test hears these on Linux).
        QSKIP("Qt before 6.8 sends accessibility events only to an active bridge");
#endif
        told.clear();
        QAccessible::installUpdateHandler(record);
        QAccessible::setActive(true);
    }
    void cleanup() { QAccessible::installUpdateHandler(nullptr); }

    void eachMoveIsToldOnce();
    void theLossIsToldOnceAndUrgently();
};

void AnnouncementsTest::eachMoveIsToldOnce()
{
    MainWindowFixture f;
    f.form->show();
    MainWindowFixture::press(f.form->Command1);
    f.clickSlot(0);
    f.clickSlot(0); // a face-up card takes no click: nothing is said
    f.clickSlot(1);
    f.clickSlot(13);
    QCOMPARE(told.size(), std::size_t { 4 });
    QCOMPARE(told[0].text, QStringLiteral("Νέα παρτίδα: 24 κλειστές κάρτες. Βαθμοί: 20."));
    QCOMPARE(told[1].text, QStringLiteral("Κάρτα 1: γάτα."));
    QCOMPARE(told[2].text,
        QStringLiteral("Κάρτα 2: αστροναύτισσα με τη στολή της. Δεν ταιριάζει. Βαθμοί: 19."));
    QCOMPARE(told[3].text,
        QStringLiteral("Κάρτα 14: αστροναύτισσα με τη στολή της. Οι κάρτες 1 και 2 έκλεισαν."));
    for (int s = 1; s < kPairs; ++s) {
        if (s != 1) {
            f.clickSlot(s);
        }
        f.clickSlot(s == 1 ? 1 : s + kPairs);
    }
    f.clickSlot(0);
    f.clickSlot(12);
    QCOMPARE(told.size(), std::size_t { 4 + 2 * kPairs - 1 });
    QCOMPARE(told.back().text,
        QStringLiteral("Κάρτα 13: γάτα. Ζευγάρι! Βρήκατε και τα 12 ζευγάρια. Κερδίσατε με 19 "
                       "βαθμούς!"));
    for (std::size_t i = 0; i + 1 < told.size(); ++i) {
        QVERIFY2(!told[i].assertive, qPrintable(told[i].text));
    }
    QCOMPARE(told.back().assertive, kAnnouncementEvents);
}

void AnnouncementsTest::theLossIsToldOnceAndUrgently()
{
    MainWindowFixture f;
    f.form->show();
    MainWindowFixture::press(f.form->Command1);
    for (int turn = 0; turn < kStartingScore; ++turn) {
        f.clickSlot(turn % 2 == 0 ? 0 : 2);
        f.clickSlot(turn % 2 == 0 ? 1 : 3);
    }
    QCOMPARE(told.size(), std::size_t { 1 + 2 * kStartingScore });
    QCOMPARE(told.back().text,
        QStringLiteral("Κάρτα 4: πασχαλίτσα. Δεν ταιριάζει. Βαθμοί: 0. Λυπάμαι, χάσατε! Όλες οι "
                       "κάρτες άνοιξαν."));
    QCOMPARE(told.back().assertive, kAnnouncementEvents);
    f.clickSlot(5); // the round is over: nothing to tell
    QCOMPARE(told.size(), std::size_t { 1 + 2 * kStartingScore });
}

DYADORA_UI_TEST_MAIN(AnnouncementsTest)
#include "test_announcements.moc"
