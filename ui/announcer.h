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

    // How a screen reader treats an announcement: Polite waits for what it is saying to end,
    // Assertive (the end of a round) is spoken at once.
    enum class Urgency { Polite, Assertive };

    // Makes `text` (UTF-8) the latest announcement and tells assistive technology, once. On
    // Windows with Qt 6.8 or later it is an announcement event, which UI Automation raises as a
    // notification (NVDA and Narrator speak it). Elsewhere, over AT-SPI, a screen reader hears it
    // as a notification that is shown (object:state-changed:showing), and the text itself travels
    // in an object:text-changed:insert event. Nothing is sent for an empty text.
    void announce(std::string_view text, Urgency urgency = Urgency::Polite);

    // The latest announcement.
    const QString& text() const { return m_text; }

    // The announcer's accessible interface: role Notification, named by the latest
    // announcement, with a read-only text interface over it.
    static QAccessibleInterface* accessibleInterface(Announcer* announcer);

private:
    QString m_text;
};

} // namespace dyadora
