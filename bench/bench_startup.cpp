// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmarks of what the program does before and around its windows: decoding the built-in
// pictures, creating the main window, and opening and closing the help window. They run on
// Qt's offscreen platform unless another one is asked for.
#include "assets/pictures.h"
#include "platform/app_font.h"
#include "platform/clock_random.h"
#include "ui/card_slot.h"
#include "ui/form1.h"
#include "ui/form2.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

using namespace dyadora;

namespace {

class NoEnd final : public ProgramEnd {
public:
    void endNow() override { }
};

// The 18 photos and the cover picture, from their records to shared pictures.
void decodePictures(benchmark::State& state)
{
    for (auto _ : state) {
        auto pictures = assets::loadPictureSet();
        benchmark::DoNotOptimize(pictures.cover.cacheKey());
    }
    state.SetItemsProcessed(state.iterations() * (kPhotos + 1));
}
BENCHMARK(decodePictures)->Unit(benchmark::kMicrosecond);

// The same pictures at twice the pixels, as a screen of high density decodes them on first use.
void decodeLargePictures(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const auto pictures = assets::loadPictureSet();
        state.ResumeTiming();
        for (const SharedPicture& photo : pictures.photos)
            benchmark::DoNotOptimize(photo.forRatio(2.0).cacheKey());
        benchmark::DoNotOptimize(pictures.cover.forRatio(2.0).cacheKey());
    }
    state.SetItemsProcessed(state.iterations() * (kPhotos + 1));
}
BENCHMARK(decodeLargePictures)->Unit(benchmark::kMicrosecond);

void decodeIcons(benchmark::State& state)
{
    for (auto _ : state) {
        const SharedPicture main = assets::loadMainWindowIcon();
        const SharedPicture help = assets::loadHelpWindowIcon();
        benchmark::DoNotOptimize(main.icon(1.0).cacheKey() + help.icon(1.0).cacheKey());
    }
}
BENCHMARK(decodeIcons)->Unit(benchmark::kMicrosecond);

// The main window created, laid out, centred and shown, then destroyed.
void mainWindow(benchmark::State& state)
{
    const auto pictures = assets::loadPictureSet();
    const SharedPicture icon = assets::loadMainWindowIcon();
    ClockRandom random;
    NoEnd end;
    for (auto _ : state) {
        Form1 form([&pictures] { return pictures; }, icon, random, end);
        form.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form.winId());
    }
}
BENCHMARK(mainWindow)->Unit(benchmark::kMicrosecond);

// A main window over the decoded pictures, shown and settled, for the benchmarks that work in it.
struct ShownMainWindow {
    assets::PictureSet pictures = assets::loadPictureSet();
    ClockRandom random;
    NoEnd end;
    Form1 form { [this] { return pictures; }, SharedPicture(), random, end };

    ShownMainWindow()
    {
        form.show();
        QCoreApplication::processEvents();
    }
};

// A round started with the real start button: the deal, and all 24 slots shown covered.
void startRound(benchmark::State& state)
{
    ShownMainWindow window;
    Form1& form = window.form;
    for (auto _ : state) {
        form.Command1->click();
        // A copy: Google Benchmark 1.9 deprecates DoNotOptimize on a const reference.
        auto firstCard = form.game().state().Deal[0];
        benchmark::DoNotOptimize(firstCard);
    }
}
BENCHMARK(startRound)->Unit(benchmark::kMicrosecond);

// A round won with the keyboard alone: the start button, then Space on each card of each pair in
// turn, each press turning the card, describing it, moving the focus on and announcing the turn.
void keyboardRound(benchmark::State& state)
{
    ShownMainWindow window;
    Form1& form = window.form;
    form.activateWindow();
    QCoreApplication::processEvents();
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    for (auto _ : state) {
        form.Command1->click();
        for (int first = 0; first < kSlots; ++first) {
            for (int second = first + 1; second < kSlots; ++second) {
                if (form.Picture1[static_cast<std::size_t>(first)]->isEnabled()
                    && form.game().SlotPhoto(first) == form.game().SlotPhoto(second)) {
                    for (CardSlot* card : { form.Picture1[static_cast<std::size_t>(first)],
                             form.Picture1[static_cast<std::size_t>(second)] }) {
                        card->setFocus(Qt::TabFocusReason);
                        QCoreApplication::sendEvent(card, &space);
                    }
                }
            }
        }
        if (form.game().state().PairsFound != kPairs) {
            state.SkipWithError("the round was not won");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kSlots);
}
BENCHMARK(keyboardRound)->Unit(benchmark::kMicrosecond);

// The help window opened (created, centred, text written, shown) and closed with "OK" until
// it is gone.
void openAndCloseHelp(benchmark::State& state)
{
    ShownMainWindow window;
    Form1& form = window.form;
    for (auto _ : state) {
        form.OpenHelp();
        QCoreApplication::processEvents();
        Form2* help = form.helpWindow();
        if (help == nullptr) {
            state.SkipWithError("the help window did not open");
            break;
        }
        help->Command1->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (form.helpWindow() != nullptr || !form.isEnabled()) {
            state.SkipWithError("the help window did not close");
            break;
        }
    }
}
BENCHMARK(openAndCloseHelp)->Unit(benchmark::kMicrosecond);

// The offscreen platform warns at every raise of a window; keep the report readable.
void quietWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char* argv[])
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qInstallMessageHandler(quietWarnings);
    installApplicationFont();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
