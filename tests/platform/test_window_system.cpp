// SPDX-License-Identifier: GPL-3.0-or-later
// The choice of the window system that the windows run on.
#include "platform/window_system.h"

#include <QTest>

using namespace dyadora;

class WindowSystemTest : public QObject {
    Q_OBJECT

private slots:
    void theSessionsXServerIsPreferred_data();
    void theSessionsXServerIsPreferred();
};

void WindowSystemTest::theSessionsXServerIsPreferred_data()
{
#ifdef Q_OS_LINUX
    const char* const xServer = "xcb";
#else
    // A Windows program run by Wine sees the X server's DISPLAY too, but has no X11 platform.
    const char* const xServer = "";
#endif
    QTest::addColumn<QString>("qpaPlatform");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("an X11 session") << ""
                                    << ":0" << xServer;
    QTest::newRow("a Wayland session with XWayland") << ""
                                                     << ":1" << xServer;
    QTest::newRow("a Wayland session without XWayland") << ""
                                                        << ""
                                                        << "";
    QTest::newRow("the user's own choice") << "wayland"
                                           << ":1"
                                           << "";
    QTest::newRow("the user's own choice, with options") << "offscreen:size=1x1"
                                                         << ":0"
                                                         << "";
}

// Pins that on Linux the windows run on the session's X server when there is one (where they can
// place themselves and learn their frames), and that a platform chosen by the user wins.
void WindowSystemTest::theSessionsXServerIsPreferred()
{
    QFETCH(QString, qpaPlatform);
    QFETCH(QString, display);
    QFETCH(QString, chosen);
    const QByteArray platform = qpaPlatform.toUtf8();
    const QByteArray x = display.toUtf8();
    const std::string_view result =
        preferredPlatform({ platform.constData(), static_cast<std::size_t>(platform.size()) },
            { x.constData(), static_cast<std::size_t>(x.size()) });
    QCOMPARE(QString::fromUtf8(result.data(), static_cast<qsizetype>(result.size())), chosen);
}

QTEST_APPLESS_MAIN(WindowSystemTest)
#include "test_window_system.moc"
