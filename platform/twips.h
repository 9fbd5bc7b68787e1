// SPDX-License-Identifier: GPL-3.0-or-later
// Lengths in twips, the outer measures of a top-level window, and the screen's size.
#pragma once

#include <QMargins>
#include <QSize>

class QWidget;

namespace dyadora {

inline constexpr float kTwipsPerPixel = 15.0f;

// The nearest whole pixel to a length in twips (halves away from zero).
int twipsToPixels(float twips);
float pixelsToTwips(int pixels);

// The primary screen's size in twips.
float screenWidthTwips();
float screenHeightTwips();

// Places a child control at a position in twips relative to its window's client area, on the
// nearest whole pixel.
void placeControl(QWidget& control, float leftTwips, float topTwips);

// The outer measures of a top-level window in twips, frame and title bar included. The frame is
// the one the window manager reports once it has framed the window; until then, and wherever no
// window manager frames it at all, it is the window's design frame. Positions are kept exactly as
// written (fractions of a pixel included) while the window stays where they put it.
class OuterMeasures {
public:
    // The window must outlive this object. designFrame is in pixels.
    OuterMeasures(QWidget& window, QMargins designFrame);

    // The frame in pixels: the window manager's, or the design frame while there is none.
    QMargins frame() const;
    // True once a window manager has reported a frame of its own.
    bool hasRealFrame() const;

    float width() const;
    float height() const;
    float left() const;
    float top() const;

    // Resizing keeps the other measure; a window has the last word (minimum size, window manager).
    void setWidth(float twips);
    void setHeight(float twips);
    void setLeft(float twips);
    void setTop(float twips);

    // The client size, in pixels, that gives these outer measures with the current frame.
    QSize clientSizeFor(float widthTwips, float heightTwips) const;

private:
    QWidget& m_window;
    QMargins m_designFrame;
    float m_left = 0.0f; // as last written
    float m_top = 0.0f;
    bool m_leftWritten = false;
    bool m_topWritten = false;
};

} // namespace dyadora
