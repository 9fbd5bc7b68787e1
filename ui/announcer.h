// SPDX-License-Identifier: GPL-3.0-or-later
// The announcer: an invisible notification object that tells a screen reader what each move did,
// without taking the focus.
#pragma once

#include <QString>
#include <QWidget>

#include <string_view>

class QAccessibleInterface;

namespace dyadora {

class Announcer : public QWidget {
    Q_OBJECT

public:
    // A child of `parent` that takes no room, no focus and no click.
    explicit Announcer(QWidget* parent);

    // Makes `text` (UTF-8) the latest announcement and tells assistive technology: over AT-SPI
    // a screen reader hears it as a notification that is shown (object:state-changed:showing),
    // and the text itself travels in an object:text-changed:insert event. Nothing is sent for an
    // empty text.
    void announce(std::string_view text);

    // The latest announcement.
    const QString& text() const { return m_text; }

    // The announcer's accessible interface: role Notification, named by the latest
    // announcement, with a read-only text interface over it.
    static QAccessibleInterface* accessibleInterface(Announcer* announcer);

private:
    QString m_text;
};

} // namespace dyadora
