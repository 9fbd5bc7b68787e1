// SPDX-License-Identifier: GPL-3.0-or-later
// The floor that the game's start-up is measured against: a Qt Widgets window holding one push
// button, built like the game, doing nothing else.
#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("empty"));
    window.resize(776, 454);
    auto* button = new QPushButton(QStringLiteral("OK"), &window);
    button->setGeometry(8, 8, 297, 25);
    // As the game's main window in the page: frameless, filling it.
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.showMaximized();
    return QApplication::exec();
}
