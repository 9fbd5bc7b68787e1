// SPDX-License-Identifier: GPL-3.0-or-later
// The factory of the game's accessible interfaces, and those of the application and the windows.
#include "accessibility.h"

#include "announcer.h"
#include "card_slot.h"
#include "form1.h"
#include "form2.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>

namespace dyadora {

namespace {

    // Qt names the application by its application name ("Dyadora"); a screen reader should say
    // the game's name. (The display name would do it too, but Qt would then append it to the
    // help window's title.)
    class GameAccessible : public QAccessibleApplication {
    public:
        QString text(QAccessible::Text type) const override
        {
            return type == QAccessible::Name ? QStringLiteral("Λαβυρίδες")
                                             : QAccessibleApplication::text(type);
        }
    };

    // A top-level window in the given role, presenting only the child widgets that are not
    // hidden.
    class WindowAccessible : public QAccessibleWidget {
    public:
        WindowAccessible(QWidget* window, QAccessible::Role role)
            : QAccessibleWidget(window, role)
        {
        }

        int childCount() const override { return static_cast<int>(presented().size()); }

        QAccessibleInterface* child(int index) const override
        {
            const QWidgetList children = presented();
            return index >= 0 && index < children.size()
                ? QAccessible::queryAccessibleInterface(children.at(index))
                : nullptr;
        }

        int indexOfChild(const QAccessibleInterface* child) const override
        {
            return child == nullptr
                ? -1
                : static_cast<int>(presented().indexOf(qobject_cast<QWidget*>(child->object())));
        }

    private:
        QWidgetList presented() const
        {
            QWidgetList children;
            for (QObject* object : widget()->children()) {
                auto* child = qobject_cast<QWidget*>(object);
                if (child != nullptr && !child->isWindow() && !child->isHidden()) {
                    children.append(child);
                }
            }
            return children;
        }
    };

    bool isClass(const QString& className, const QMetaObject& metaObject)
    {
        return className == QLatin1String(metaObject.className());
    }

    QAccessibleInterface* gameInterface(const QString& className, QObject* object)
    {
        if (object == qApp && className == QLatin1String("QApplication")) {
            return new GameAccessible;
        }
        if (isClass(className, Form1::staticMetaObject)) {
            return new WindowAccessible(static_cast<QWidget*>(object), QAccessible::Window);
        }
        if (isClass(className, Form2::staticMetaObject)) {
            return new WindowAccessible(static_cast<QWidget*>(object), QAccessible::Dialog);
        }
        if (isClass(className, CardSlot::staticMetaObject)) {
            return CardSlot::accessibleInterface(static_cast<CardSlot*>(object));
        }
        if (isClass(className, Announcer::staticMetaObject)) {
            return Announcer::accessibleInterface(static_cast<Announcer*>(object));
        }
        return nullptr;
    }

#ifdef Q_OS_WASM
    // In the browser a screen reader finds a control by the element that Qt's web platform lays
    // over it, which is placed when it is shown and again only when the control is said to have
    // moved: every widget that moves or changes size says so, as the window lays itself out
    // afresh (the page resized, the device turned) or the help window is centred. (On the
    // desktop a screen reader asks for a control's place whenever it needs it.)
    class LocationReporter : public QObject {
    public:
        using QObject::QObject;

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if ((event->type() == QEvent::Move || event->type() == QEvent::Resize)
                && watched->isWidgetType()) {
                QAccessibleEvent moved(watched, QAccessible::LocationChanged);
                QAccessible::updateAccessibility(&moved);
            }
            return false;
        }
    };
#endif

} // namespace

void installAccessibleInterfaces()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(gameInterface);
#ifdef Q_OS_WASM
        qApp->installEventFilter(new LocationReporter(qApp));
#endif
        installed = true;
    }
}

} // namespace dyadora
