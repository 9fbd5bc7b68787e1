// SPDX-License-Identifier: GPL-3.0-or-later
// The window system that the windows run on.
#include "window_system.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtGlobal>

#include <utility>

namespace dyadora {

std::string_view preferredPlatform(std::string_view qpaPlatform, std::string_view display)
{
#ifdef Q_OS_LINUX
    if (!qpaPlatform.empty() || display.empty()) {
        return {};
    }
    return "xcb";
#else
    // Elsewhere DISPLAY names no X server of ours: Wine, for one, passes it on to the Windows
    // programs it runs, which have no X11 platform.
    static_cast<void>(qpaPlatform);
    static_cast<void>(display);
    return {};
#endif
}

void choosePlatform()
{
    const QByteArray qpaPlatform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    const std::string_view platform =
        preferredPlatform({ qpaPlatform.constData(), static_cast<std::size_t>(qpaPlatform.size()) },
            { display.constData(), static_cast<std::size_t>(display.size()) });
    if (!platform.empty()) {
        qputenv("QT_QPA_PLATFORM",
            QByteArray(platform.data(), static_cast<qsizetype>(platform.size())));
    }
}

bool mainWindowFillsScreen()
{
#ifdef Q_OS_WASM
    return true;
#else
    return false;
#endif
}

void showMainWindow(QWidget& window)
{
    if (!mainWindowFillsScreen()) {
        // At its design size, also where windows are shown full-screen unless asked.
        window.showNormal();
        return;
    }
    // A maximised window is kept at the screen's size by the platform.
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.showMaximized();
}

void whenScreenResized(QWidget& window, std::function<void()> callback)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QObject::connect(screen, &QScreen::geometryChanged, &window,
        [callback = std::move(callback)](const QRect&) { callback(); });
}

} // namespace dyadora
