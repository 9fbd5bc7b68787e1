// SPDX-License-Identifier: GPL-3.0-or-later
// The window system that the windows run on.
#pragma once

#include <functional>
#include <string_view>

class QObject;
class QWidget;

namespace dyadora {

// The Qt platform to ask for, given the QT_QPA_PLATFORM and DISPLAY variables of the session, or
// an empty view to leave Qt's own choice. A window can place itself and learn its frame only on
// an X server, so the session's X server (X11, or XWayland in a Wayland session) is preferred;
// a platform that the user chose still wins, and without an X server Qt chooses (Wayland, where
// the compositor places the window). Only on Linux: elsewhere Qt's own choice always stands.
std::string_view preferredPlatform(std::string_view qpaPlatform, std::string_view display);

// Applies preferredPlatform() to this process's environment. Call before the QApplication is
// created.
void choosePlatform();

// In the browser the page is the game's screen: the main window fills it without a frame of its
// own and follows its size (the page resized, the device turned). Elsewhere the main window is
// shown framed, at its design size.
bool mainWindowFillsScreen();
void showMainWindow(QWidget& window);

// Calls back once the frame being painted is on the screen, unless the context is gone by then.
void afterFrameShown(QObject& context, std::function<void()> callback);

// Calls back, for as long as the window lives, whenever the primary screen changes size.
void whenScreenResized(QWidget& window, std::function<void()> callback);

} // namespace dyadora
