// SPDX-License-Identifier: GPL-3.0-or-later
// How the game presents itself to assistive technology: the application, the two windows, the
// cards and the announcer.
#pragma once

namespace dyadora {

// Installs the game's accessible interfaces, once; later calls do nothing. Run it before any
// window exists: the application's interface, once created, is kept for the whole run.
//   - the application is named "Λαβυρίδες";
//   - the main window is a window and the help window a dialog; neither presents a child widget
//     that is hidden, so the hidden picture holders are left out;
//   - a card is a button that the Press action turns (see CardSlot);
//   - the announcer is a notification (see Announcer).
void installAccessibleInterfaces();

} // namespace dyadora
