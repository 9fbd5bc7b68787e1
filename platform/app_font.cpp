// SPDX-License-Identifier: GPL-3.0-or-later
// The application's default font.
#include "app_font.h"

#include <QApplication>
#include <QFont>
#ifdef Q_OS_WASM
#include <QFontDatabase>
#endif

namespace dyadora {

void installApplicationFont()
{
    QFont font = QApplication::font();
    // One family, not a list: Qt loads a font engine for every family listed, each with its own
    // fallback query, before the first text is drawn.
#ifdef Q_OS_WIN
    font.setFamily(QStringLiteral("Arial"));
    // Where Arial is missing (Wine has none), its metric twin stands in rather than whatever
    // face, serif or not, the system would give. A substitute is looked up only when the family
    // itself is not found: where Arial is there, it costs nothing.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
#else
#ifdef Q_OS_WASM
    // A page has no fonts of the system to give: the program brings its own (web/).
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/LiberationSans-Regular.ttf"));
#endif
    font.setFamily(QStringLiteral("Liberation Sans"));
#endif
    font.setPointSize(8);
    QApplication::setFont(font);
}

} // namespace dyadora
