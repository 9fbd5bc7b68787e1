// SPDX-License-Identifier: GPL-3.0-or-later
// The window system that the windows run on.
#include "window_system.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>

#include <memory>
#include <utility>

#ifdef Q_OS_WASM
#include <emscripten/html5.h>
#endif

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

void afterFrameShown(QObject& context, std::function<void()> callback)
{
#ifdef Q_OS_WASM
    // In the browser a painted frame reaches the page at the next animation frame, and is shown
    // once that frame's callbacks are done: the callback runs after them.
    struct Pending {
        QPointer<QObject> context;
        std::function<void()> callback;
    };
    auto pending = std::make_unique<Pending>(Pending { &context, std::move(callback) });
    emscripten_request_animation_frame(
        [](double, void* data) -> EM_BOOL {
            const std::unique_ptr<Pending> frame(static_cast<Pending*>(data));
            if (frame->context) {
                QTimer::singleShot(0, frame->context.data(), std::move(frame->callback));
            }
            return EM_FALSE;
        },
        pending.release());
#else
    // Elsewhere the frame is on the screen once painted.
    QTimer::singleShot(0, &context, std::move(callback));
#endif
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
