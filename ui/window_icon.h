// SPDX-License-Identifier: GPL-3.0-or-later
// A window's icon that follows the density of the window's screen.
#pragma once

#include "platform/picture.h"

class QWidget;

namespace dyadora {

// Gives `window` the icon `icon`: at its design size, with the large size as well while the
// window is on a screen of high density (the large one is not decoded before then). The icon is
// set again whenever the window moves to a screen of another density.
void showWindowIcon(QWidget& window, const SharedPicture& icon);

} // namespace dyadora
