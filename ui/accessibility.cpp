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

} // namespace

void installAccessibleInterfaces()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(gameInterface);
        installed = true;
    }
}

} // namespace dyadora
