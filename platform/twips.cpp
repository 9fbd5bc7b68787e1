// SPDX-License-Identifier: GPL-3.0-or-later
// Twips, outer window measures and the screen's size over Qt.
#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>
#include <utility>

namespace dyadora {

int twipsToPixels(float twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

float pixelsToTwips(int pixels) { return static_cast<float>(pixels) * kTwipsPerPixel; }

namespace {
    QSize screenSize()
    {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen != nullptr ? screen->geometry().size() : QSize();
    }
} // namespace

float screenWidthTwips() { return pixelsToTwips(screenSize().width()); }

float screenHeightTwips() { return pixelsToTwips(screenSize().height()); }

void placeControl(QWidget& control, float leftTwips, float topTwips)
{
    control.move(twipsToPixels(leftTwips), twipsToPixels(topTwips));
}

namespace {
    // Qt knows the frame once the window manager has reported it: until then the frame geometry
    // is the client geometry.
    std::optional<QMargins> frameFromQt(const QWidget& window)
    {
        const QRect outer = window.frameGeometry();
        const QRect inner = window.geometry();
        if (outer == inner) {
            return std::nullopt;
        }
        return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
            outer.right() - inner.right(), outer.bottom() - inner.bottom());
    }
} // namespace

OuterMeasures::OuterMeasures(QWidget& window, QMargins designFrame, FrameProbe probe)
    : m_window(window)
    , m_designFrame(designFrame)
    , m_probe(probe ? std::move(probe) : FrameProbe(frameFromQt))
{
}

std::optional<QMargins> OuterMeasures::realFrame() const { return m_probe(m_window); }

QMargins OuterMeasures::shownFrame() const { return realFrame().value_or(m_designFrame); }

float OuterMeasures::width() const
{
    return pixelsToTwips(m_window.width() + m_designFrame.left() + m_designFrame.right());
}

float OuterMeasures::height() const
{
    return pixelsToTwips(m_window.height() + m_designFrame.top() + m_designFrame.bottom());
}

float OuterMeasures::framedWidth() const
{
    const QMargins f = shownFrame();
    return pixelsToTwips(m_window.width() + f.left() + f.right());
}

float OuterMeasures::framedHeight() const
{
    const QMargins f = shownFrame();
    return pixelsToTwips(m_window.height() + f.top() + f.bottom());
}

float OuterMeasures::left() const
{
    const int x = m_window.pos().x();
    return m_leftWritten && x == twipsToPixels(m_left) ? m_left : pixelsToTwips(x);
}

float OuterMeasures::top() const
{
    const int y = m_window.pos().y();
    return m_topWritten && y == twipsToPixels(m_top) ? m_top : pixelsToTwips(y);
}

std::optional<QPoint> OuterMeasures::written() const
{
    if (!m_leftWritten || !m_topWritten) {
        return std::nullopt;
    }
    return QPoint(twipsToPixels(m_left), twipsToPixels(m_top));
}

bool OuterMeasures::isWhereWritten() const { return written() == m_window.pos(); }

bool OuterMeasures::isNewlyFramedInPlace()
{
    // A platform that draws the frame itself once the window is shown (the web) puts the client
    // area, not the frame, where a window placed before that was written: it is in place too.
    const bool clientWhereWritten = written() == m_window.geometry().topLeft();
    if (m_framedInPlace || m_window.windowState() != Qt::WindowNoState
        || !(isWhereWritten() || clientWhereWritten) || !realFrame()) {
        return false;
    }
    m_framedInPlace = true;
    return true;
}

QSize OuterMeasures::clientSizeFor(float widthTwips, float heightTwips) const
{
    return { twipsToPixels(widthTwips) - m_designFrame.left() - m_designFrame.right(),
        twipsToPixels(heightTwips) - m_designFrame.top() - m_designFrame.bottom() };
}

void OuterMeasures::setWidth(float twips)
{
    m_window.resize(clientSizeFor(twips, 0.0f).width(), m_window.height());
}

void OuterMeasures::setHeight(float twips)
{
    m_window.resize(m_window.width(), clientSizeFor(0.0f, twips).height());
}

// A top-level window's pos() and move() are its frame's top-left corner.
void OuterMeasures::setLeft(float twips)
{
    m_left = twips;
    m_leftWritten = true;
    m_window.move(twipsToPixels(twips), m_window.pos().y());
}

void OuterMeasures::setTop(float twips)
{
    m_top = twips;
    m_topWritten = true;
    m_window.move(m_window.pos().x(), twipsToPixels(twips));
}

void centreOnScreen(OuterMeasures& measures)
{
    measures.setTop(centred(screenHeightTwips(), measures.framedHeight()));
    measures.setLeft(centred(screenWidthTwips(), measures.framedWidth()));
}

void centreAgainOnceFramed(OuterMeasures& measures)
{
    if (measures.isNewlyFramedInPlace()) {
        centreOnScreen(measures);
    }
}

void centreAgainOnceShown(OuterMeasures& measures)
{
    QMetaObject::invokeMethod(
        &measures.window(),
        [&measures] {
#ifdef Q_OS_WASM
            // The web may also have shifted a window placed before it had its frame (to keep its
            // title bar on a small screen), which would pass for a move by the user; nobody can
            // have moved a window just shown, so it is centred again by its frame whatever.
            if (measures.window().windowState() == Qt::WindowNoState && measures.realFrame()) {
                centreOnScreen(measures);
                return;
            }
#endif
            centreAgainOnceFramed(measures);
        },
        Qt::QueuedConnection);
}

} // namespace dyadora
