// SPDX-License-Identifier: GPL-3.0-or-later
// The window icon, set again when the window's screen changes density.
#include "window_icon.h"

#include <QEvent>
#include <QWidget>

namespace dyadora {

namespace {

    // Lives as a child of its window, watching the window's events.
    class WindowIcon : public QObject {
    public:
        WindowIcon(QWidget& window, SharedPicture icon)
            : QObject(&window)
            , m_window(window)
            , m_icon(std::move(icon))
        {
            update();
            window.installEventFilter(this);
        }

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (watched == &m_window && isScreenChange(event->type())) {
                update();
            }
            return QObject::eventFilter(watched, event);
        }

    private:
        static bool isScreenChange(QEvent::Type type)
        {
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
            if (type == QEvent::DevicePixelRatioChange) {
                return true;
            }
#endif
            return type == QEvent::ScreenChangeInternal || type == QEvent::Show;
        }

        // Only a change of density changes the icon: the window manager is told nothing new
        // otherwise.
        void update()
        {
            const qreal ratio = m_window.devicePixelRatioF();
            if (ratio == m_ratio) {
                return;
            }
            m_ratio = ratio;
            m_window.setWindowIcon(m_icon.icon(ratio));
        }

        QWidget& m_window;
        SharedPicture m_icon;
        qreal m_ratio = 0.0;
    };

} // namespace

void showWindowIcon(QWidget& window, const SharedPicture& icon) { new WindowIcon(window, icon); }

} // namespace dyadora
