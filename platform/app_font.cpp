// SPDX-License-Identifier: GPL-3.0-or-later
// The application's default font.
#include "app_font.h"

#include <QApplication>
#include <QFont>
#include <QStringList>

namespace dyadora {

void installApplicationFont()
{
    QFont font = QApplication::font();
    font.setFamilies({ QStringLiteral("Liberation Sans"), QStringLiteral("Arial") });
    font.setPointSize(8);
    QApplication::setFont(font);
}

} // namespace dyadora
