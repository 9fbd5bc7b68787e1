// SPDX-License-Identifier: GPL-3.0-or-later
// The announcer and its accessible interface.
#include "announcer.h"

#include <QAccessibleWidget>

#ifdef Q_OS_WASM
#include <emscripten/val.h>

#include <string>
#endif

namespace dyadora {

namespace {

    // Qt 6.4 has no announcement of its own, and AT-SPI 2.46 has no announcement signal: a
    // notification that is shown is what screen readers speak (Orca reads its role and name).
    class AnnouncerAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
    public:
        explicit AnnouncerAccessible(Announcer* announcer)
            : QAccessibleWidget(announcer, QAccessible::Notification)
        {
        }

        const QString& announcement() const { return static_cast<Announcer*>(widget())->text(); }

        void* interface_cast(QAccessible::InterfaceType type) override
        {
            if (type == QAccessible::TextInterface) {
                return static_cast<QAccessibleTextInterface*>(this);
            }
            return QAccessibleWidget::interface_cast(type);
        }

        QString text(QAccessible::Text type) const override
        {
            return type == QAccessible::Name ? announcement() : QAccessibleWidget::text(type);
        }

        // The text interface: the announcement, read-only, with no selection and no caret.
        QString text(int startOffset, int endOffset) const override
        {
            return announcement().mid(startOffset, endOffset - startOffset);
        }
        int characterCount() const override { return static_cast<int>(announcement().size()); }
        void selection(int, int* startOffset, int* endOffset) const override
        {
            *startOffset = 0;
            *endOffset = 0;
        }
        int selectionCount() const override { return 0; }
        void addSelection(int, int) override { }
        void removeSelection(int) override { }
        void setSelection(int, int, int) override { }
        int cursorPosition() const override { return 0; }
        void setCursorPosition(int) override { }
        QRect characterRect(int) const override { return {}; }
        int offsetAtPoint(const QPoint&) const override { return -1; }
        void scrollToSubstring(int, int) override { }
        QString attributes(int offset, int* startOffset, int* endOffset) const override
        {
            *startOffset = offset;
            *endOffset = offset;
            return {};
        }
    };

} // namespace

Announcer::Announcer(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("announcer"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
}

// The name changes first, so that a screen reader that reads the notification when it is shown
// reads the new text.
void Announcer::announce(std::string_view text, [[maybe_unused]] Urgency urgency)
{
    if (text.empty()) {
        return;
    }
    const QString previous = m_text;
    m_text = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
#if defined(Q_OS_WIN) && QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Windows screen readers speak no change of a control that lacks the focus; Qt raises this
    // as UiaRaiseNotificationEvent, which it looks up at run time (Windows 10 1709 and later) and
    // skips where it is missing.
    QAccessibleAnnouncementEvent announcement(this, m_text);
    announcement.setPoliteness(urgency == Urgency::Assertive
            ? QAccessible::AnnouncementPoliteness::Assertive
            : QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&announcement);
#elif defined(Q_OS_WASM)
    // Qt's screen-reader layer for the web has no announcement of its own: the page's live
    // regions (web/index.html) carry it, emptied first so that a text like the one before is
    // read again.
    emscripten::val region =
        emscripten::val::global("document")
            .call<emscripten::val>("getElementById",
                std::string(
                    urgency == Urgency::Assertive ? "announce-assertive" : "announce-polite"));
    if (!region.isNull()) {
        region.set("textContent", std::string());
        region.set("textContent", m_text.toStdString());
    }
#else
    QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChanged);
    QAccessibleTextUpdateEvent textChanged(this, 0, previous, m_text);
    QAccessible::updateAccessibility(&textChanged);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#endif
}

QAccessibleInterface* Announcer::accessibleInterface(Announcer* announcer)
{
    return new AnnouncerAccessible(announcer);
}

} // namespace dyadora
