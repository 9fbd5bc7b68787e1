// SPDX-License-Identifier: GPL-3.0-or-later
// Twips, outer window measures and the screen's size over Qt.
#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

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

OuterMeasures::OuterMeasures(QWidget& window, QMargins designFrame)
    : m_window(window)
    , m_designFrame(designFrame)
{
}

bool OuterMeasures::hasRealFrame() const { return m_window.frameGeometry() != m_window.geometry(); }

QMargins OuterMeasures::frame() const
{
    if (!hasRealFrame()) {
        return m_designFrame;
    }
    const QRect outer = m_window.frameGeometry();
    const QRect inner = m_window.geometry();
    return { inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
        outer.bottom() - inner.bottom() };
}

float OuterMeasures::width() const
{
    const QMargins f = frame();
    return pixelsToTwips(m_window.width() + f.left() + f.right());
}

float OuterMeasures::height() const
{
    const QMargins f = frame();
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

QSize OuterMeasures::clientSizeFor(float widthTwips, float heightTwips) const
{
    const QMargins f = frame();
    return { twipsToPixels(widthTwips) - f.left() - f.right(),
        twipsToPixels(heightTwips) - f.top() - f.bottom() };
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

} // namespace dyadora
