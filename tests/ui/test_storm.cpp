// SPDX-License-Identifier: GPL-3.0-or-later
// Storms of random events through the real windows: clicks anywhere, keys, the help window
// opened and closed by every path, resizes, minimise, maximise and restore. After every event the
// game's rules and the layout must still hold.
#include "platform/clock_random.h"
#include "ui/form2.h"
#include "ui/layout.h"
#include "window_fixture.h"

#include <QLabel>

#include <random>

using namespace dyadora;
using namespace dyadora::testing;

namespace {

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The main window over a seeded deal, and the events thrown at it.
class Storm {
public:
    explicit Storm(std::uint64_t seed)
        : m_random(seed)
        , m_events(static_cast<std::mt19937::result_type>(seed))
    {
        m_form.show();
    }

    Form1& form() { return m_form; }

    // Throws one random event at the windows and lets Qt deliver what follows from it; returns
    // what it did.
    QString next()
    {
        ++m_count;
        const int kind = pick(100);
        QString done;
        if (kind < 45) {
            // In turns, a player who often remembers the partner of the card turned first (and
            // wins) and one who never does (and loses).
            const bool remembers = (m_count / 500) % 2 == 0 && pick(4) != 0;
            const int slot = remembers ? partnerOfTheOpenCard() : pick(kSlots);
            QTest::mouseClick(m_form.Picture1[static_cast<std::size_t>(slot)], Qt::LeftButton);
            done = QStringLiteral("click on slot %1").arg(slot);
        } else if (kind < 49) {
            // Seldom the buttons that end a round, so that rounds are played to their end.
            QPushButton* buttons[] = { m_form.Command1, m_form.Command2, m_form.Command2,
                m_form.Command3, m_form.Command3, m_form.Command3, m_form.Command4 };
            QPushButton* button = buttons[pick(std::size(buttons))];
            QTest::mouseClick(button, Qt::LeftButton);
            done = QStringLiteral("click on ") + button->objectName();
        } else if (kind < 63) {
            static constexpr Qt::Key keys[] = { Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape,
                Qt::Key_Escape, Qt::Key_Space, Qt::Key_Space, Qt::Key_Space, Qt::Key_Tab,
                Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
                Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down };
            const Qt::Key key = keys[pick(std::size(keys))];
            QWidget* target = QApplication::focusWidget();
            if (target == nullptr) {
                target = QApplication::activeWindow() != nullptr ? QApplication::activeWindow()
                                                                 : &m_form;
            }
            QTest::keyClick(target, key);
            done = QStringLiteral("key %1 on %2").arg(key).arg(target->objectName());
        } else if (kind < 72) {
            done = closeHelp();
        } else if (kind < 78) {
            // From far below the minimum size to twice the design size and more.
            const QSize size(100 + pick(1600), 50 + pick(1150));
            m_form.resize(size);
            done = QStringLiteral("resize to %1 x %2").arg(size.width()).arg(size.height());
        } else if (kind < 83) {
            m_form.showMinimized();
            done = QStringLiteral("minimise");
        } else if (kind < 88) {
            m_form.showMaximized();
            done = QStringLiteral("maximise");
        } else if (kind < 94) {
            m_form.showNormal();
            done = QStringLiteral("restore");
        } else {
            m_form.activateWindow(); // a click on the main window, as the window manager sees it
            done = QStringLiteral("activate the main window");
        }
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return done;
    }

private:
    int pick(std::size_t count)
    {
        return std::uniform_int_distribution<int>(0, static_cast<int>(count) - 1)(m_events);
    }

    // The other slot of the pair of the turn's first card, when a turn is half done; else any.
    int partnerOfTheOpenCard()
    {
        const GameState& s = m_form.game().state();
        if (s.AwaitingFirst == kFalse && m_form.game().isRoundInProgress()) {
            for (int slot = 0; slot < kSlots; ++slot) {
                const auto i = static_cast<std::size_t>(slot);
                if (slot != s.FirstSlot && s.Deal[i] % kPairs == s.Deal[s.FirstSlot] % kPairs) {
                    return slot;
                }
            }
        }
        return pick(kSlots);
    }

    // Closes the help window, if it is open, by one of the ways a player has.
    QString closeHelp()
    {
        Form2* help = m_form.helpWindow();
        if (help == nullptr) {
            return QStringLiteral("no help window to close");
        }
        switch (pick(5)) {
        case 0:
            QTest::mouseClick(help->Command1, Qt::LeftButton);
            return QStringLiteral("close help with OK");
        case 1:
            QTest::keyClick(help, Qt::Key_Return);
            return QStringLiteral("close help with Enter");
        case 2:
            QTest::keyClick(help, Qt::Key_Escape);
            return QStringLiteral("close help with Esc");
        case 3:
            QTest::keyClick(help->Command1, Qt::Key_Space);
            return QStringLiteral("close help with Space on OK");
        default:
            help->close();
            return QStringLiteral("close help with its close box");
        }
    }

    SeededRandom m_random;
    RecordingProgramEnd m_end;
    assets::PictureSet m_pictures = assets::loadPictureSet();
    Form1 m_form { [this] { return m_pictures; }, SharedPicture(), m_random, m_end };
    std::mt19937 m_events;
    int m_count = 0;
};

// What is wrong with the game as the main window shows it, or nothing.
QString gameFault(Form1& form)
{
    const Game& game = form.game();
    const Table& table = game.table();
    const GameState& s = game.state();
    const QString caption = form.Command1->text();
    if (caption != text(table.command1Caption)) {
        return QStringLiteral("the start button reads ") + caption;
    }
    if (form.Label1->text() != text(table.label1Caption)) {
        return QStringLiteral("the score label reads ") + form.Label1->text();
    }
    int faceUp = 0;
    int enabled = 0;
    for (int i = 0; i < kSlots; ++i) {
        const PictureBox* slot = form.Picture1[static_cast<std::size_t>(i)];
        const Face face = table.faces[static_cast<std::size_t>(i)];
        const bool isEnabled = slot->isEnabledTo(&form);
        if (isEnabled != table.slotEnabled[static_cast<std::size_t>(i)]) {
            return QStringLiteral("slot %1's enabled state differs from the game's").arg(i);
        }
        const SharedPicture expected = face.kind == FaceKind::Cover ? form.Picture3->picture()
            : face.kind == FaceKind::Photo ? form.Picture2[face.photo]->picture()
                                           : SharedPicture();
        if (slot->picture().cacheKey() != expected.cacheKey()) {
            return QStringLiteral("slot %1 does not show its own face").arg(i);
        }
        if (face.kind == FaceKind::Photo) {
            ++faceUp;
            if (isEnabled || face.photo != game.SlotPhoto(i)) {
                return QStringLiteral("slot %1 is face up but enabled, or shows another photo")
                    .arg(i);
            }
        }
        enabled += isEnabled ? 1 : 0;
        if (face.kind == FaceKind::Cover && !isEnabled) {
            return QStringLiteral("slot %1 is covered but cannot be turned").arg(i);
        }
    }
    const bool inProgress = caption == text(texts::kStartRestart);
    if (form.Command4->isEnabledTo(&form) != inProgress) {
        return QStringLiteral(
            "the end-and-reveal button is enabled out of a round, or disabled in one");
    }
    const QString score = text(texts::kScorePrefix) + QString::number(s.Score);
    if (inProgress) {
        const int expectedUp = 2 * s.PairsFound
            + (s.AwaitingFirst != kFalse ? (s.LastTurnMatched != kFalse ? 0 : 2) : 1);
        if (s.Score < 1 || s.Score > kStartingScore || s.PairsFound >= kPairs
            || form.Label1->text() != score || faceUp != expectedUp || enabled == 0) {
            return QStringLiteral("a round in progress with score %1, %2 pairs, %3 cards face up")
                .arg(s.Score)
                .arg(s.PairsFound)
                .arg(faceUp);
        }
    } else if (caption == text(texts::kStartNew)) {
        const QString label = form.Label1->text();
        const bool won = s.PairsFound == kPairs && label == score + text(texts::kWonSuffix);
        const bool lost = s.Score == 0 && label == text(texts::kLost);
        const bool ended = label == text(texts::kEndedByPlayer);
        if (enabled != 0 || faceUp != kSlots || !(won || lost || ended)) {
            return QStringLiteral("an ended round reads ") + label;
        }
    } else if (caption != text(texts::kStartFirst) || faceUp != 0 || enabled != 0) {
        return QStringLiteral("the start button reads ") + caption;
    }
    const Form2* help = form.helpWindow();
    if ((help != nullptr && help->isVisible()) == form.isEnabled()) {
        return QStringLiteral("the main window is enabled with help open, or disabled without");
    }
    return {};
}

// What control stands elsewhere than the layout puts it for the window's size, or nothing.
QString layoutFault(Form1& form)
{
    if (form.isMinimized()) {
        return {}; // laid out again when it is restored
    }
    if (form.width() < 776 || form.height() < 454) {
        return QStringLiteral("the window is %1 x %2").arg(form.width()).arg(form.height());
    }
    const float w = form.measures().width();
    const float h = form.measures().height();
    const auto at = [&form](QWidget* control, float left, float top) {
        const QPointF twips(static_cast<double>(left), static_cast<double>(top));
        return form.controlPosition(control) == twips
            && control->pos() == QPoint(twipsToPixels(left), twipsToPixels(top));
    };
    for (int i = 0; i < kSlots; ++i) {
        if (!at(form.Picture1[static_cast<std::size_t>(i)], layout::slotLeft(i, w),
                layout::slotTop(i, h))) {
            return QStringLiteral("slot %1 is misplaced at %2 x %3").arg(i).arg(w).arg(h);
        }
    }
    if (!at(form.Command4, layout::command4Left(w), layout::command4Top(h))
        || !at(form.Command3, layout::command3Left(w), layout::command3Top(h))
        || !at(form.Command2, layout::command2Left(w), 120) || !at(form.Command1, 120, 120)
        || !at(form.Label1, 4920, 240)) {
        return QStringLiteral("a button is misplaced at %1 x %2").arg(w).arg(h);
    }
    return {};
}

} // namespace

class StormTest : public QObject {
    Q_OBJECT

private slots:
    void gameAndLayoutHoldThroughAStorm_data();
    void gameAndLayoutHoldThroughAStorm();
};

void StormTest::gameAndLayoutHoldThroughAStorm_data()
{
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<int>("events");
    QTest::newRow("seed 1") << quint64(1) << 7000;
    QTest::newRow("seed 2") << quint64(2) << 7000;
    QTest::newRow("seed 0x5eed") << quint64(0x5eed) << 7000;
}

// Pins that no sequence of events breaks the rules of the game, the windows' agreement with it,
// or the layout for the window's size.
void StormTest::gameAndLayoutHoldThroughAStorm()
{
    QFETCH(quint64, seed);
    QFETCH(int, events);
    Storm storm(seed);
    QVERIFY(QTest::qWaitForWindowExposed(&storm.form()));
    int won = 0;
    int lost = 0;
    for (int event = 0; event < events; ++event) {
        const QString before = storm.form().Label1->text();
        const QString done = storm.next();
        const QString after = storm.form().Label1->text();
        if (after != before) {
            won += after.endsWith(text(texts::kWonSuffix)) ? 1 : 0;
            lost += after == text(texts::kLost) ? 1 : 0;
        }
        QString fault = gameFault(storm.form());
        if (fault.isEmpty()) {
            fault = layoutFault(storm.form());
        }
        const Form2* help = storm.form().helpWindow();
        if (fault.isEmpty() && done == QStringLiteral("activate the main window") && help != nullptr
            && QApplication::activeWindow() != help) {
            fault = QStringLiteral("the help window was lost behind the main window");
        }
        QVERIFY2(fault.isEmpty(),
            qPrintable(QStringLiteral("after event %1 (%2): %3").arg(event).arg(done, fault)));
    }
    qInfo("%d events: %d rounds won, %d lost", events, won, lost);
    QVERIFY(won > 0 && lost > 0); // the storm reached both ends of a round
}

DYADORA_UI_TEST_MAIN(StormTest)
#include "test_storm.moc"
