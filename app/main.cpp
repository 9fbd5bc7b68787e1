// SPDX-License-Identifier: GPL-3.0-or-later
// Creates the application and shows the main window; nothing else.
#include "assets/pictures.h"
#include "platform/app_font.h"
#include "platform/clock_random.h"
#include "platform/system_program_end.h"
#include "platform/window_system.h"
#include "ui/form1.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace {

// A built-in picture that does not load means a broken build: say so and stop rather than show a
// board with missing cards.
void reportBrokenPicture(const dyadora::assets::PictureError& error)
{
    std::fprintf(stderr, "Dyadora: %s\n", error.what());
    QMessageBox::critical(nullptr, QStringLiteral("Λαβυρίδες"),
        QStringLiteral("Μια ενσωματωμένη εικόνα του παιχνιδιού είναι κατεστραμμένη και το "
                       "παιχνίδι δεν μπορεί να ξεκινήσει.\n\n%1")
            .arg(QString::fromUtf8(error.what())));
}

} // namespace

int main(int argc, char* argv[])
{
    dyadora::choosePlatform();
    QApplication app(argc, argv);
    // The name is also the windows' X11 WM_CLASS, which the desktop entry names. No display name
    // is set: Qt would add it to the title of every window whose title does not end with it, and
    // the help window's title is "Βοήθεια στις λαβυρίδες" and nothing more.
    QApplication::setApplicationName(QStringLiteral("Dyadora"));
    QApplication::setApplicationVersion(QStringLiteral(DYADORA_VERSION));
    // The application id (cmake/Packaging.cmake): the name of the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(DYADORA_APP_ID));
    dyadora::installApplicationFont();

    // The window icon is the only picture that the first frame shows; the others are decoded
    // once that frame is on the screen.
    dyadora::SharedPicture icon;
    try {
        icon = dyadora::assets::loadMainWindowIcon();
    } catch (const dyadora::assets::PictureError& error) {
        reportBrokenPicture(error);
        return 1;
    }
    const auto loadPictures = [] {
        try {
            return dyadora::assets::loadPictureSet();
        } catch (const dyadora::assets::PictureError& error) {
            reportBrokenPicture(error);
            QCoreApplication::exit(1);
            return dyadora::assets::PictureSet {};
        }
    };

    dyadora::ClockRandom random;
    dyadora::SystemProgramEnd programEnd;
    dyadora::Form1 form1(loadPictures, icon, random, programEnd);
    dyadora::showMainWindow(form1);
    return QApplication::exec();
}
