// SPDX-License-Identifier: GPL-3.0-or-later
// Memory over a long session in one process: the help window opened and closed 1,000 times and
// 500 rounds played to their end, with the resident memory before and after (and on the way).
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "assets/pictures.h"
#include "platform/app_font.h"
#include "platform/clock_random.h"
#include "ui/card_slot.h"
#include "ui/form1.h"
#include "ui/form2.h"

#include <QApplication>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace dyadora;

namespace {

class NoEnd final : public ProgramEnd {
public:
    void endNow() override { }
};

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void openAndCloseHelp(Form1& form)
{
    form.Command2->click();
    settle();
    if (form.helpWindow() == nullptr) {
        std::fprintf(stderr, "soak: the help window did not open\n");
        std::exit(1);
    }
    form.helpWindow()->Command1->click();
    settle();
}

// A round played to its end by a player who turns the cards in order: pairs are found where the
// deal put them next to each other, and the round is won or lost.
void playRound(Form1& form)
{
    form.Command1->click();
    for (int turn = 0; form.game().isRoundInProgress(); ++turn) {
        for (CardSlot* slot : form.Picture1) {
            if (slot->isEnabled()) {
                emit slot->clicked();
                break;
            }
        }
        if (turn % 8 == 0) {
            settle();
        }
    }
    settle();
}

} // namespace

int main(int argc, char* argv[])
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    installApplicationFont();
    ClockRandom random;
    NoEnd end;
    Form1 form(assets::loadPictureSet, assets::loadMainWindowIcon(), random, end);
    form.show();
    settle();
    std::printf("resident memory with the main window shown: %ld KiB\n", residentKiB());
    // A few openings and rounds first: everything that lives for the whole run is made by then,
    // and the C library has settled on where it puts the help window's image (after the first
    // large buffer is freed, it keeps the next ones on its heap for reuse).
    for (int i = 0; i < 3; ++i) {
        openAndCloseHelp(form);
        playRound(form);
    }

    const long start = residentKiB();
    std::printf("resident memory at the start, after 3 help openings and rounds: %ld KiB\n", start);
    for (int i = 1; i <= 1000; ++i) {
        openAndCloseHelp(form);
        if (i % 250 == 0) {
            std::printf("  after %4d help openings: %ld KiB\n", i, residentKiB());
        }
    }
    for (int i = 1; i <= 500; ++i) {
        playRound(form);
        if (i % 125 == 0) {
            std::printf("  after %4d rounds: %ld KiB\n", i, residentKiB());
        }
    }
    const long finish = residentKiB();
    std::printf("resident memory at the end: %ld KiB (%+ld KiB)\n", finish, finish - start);
    return 0;
}
