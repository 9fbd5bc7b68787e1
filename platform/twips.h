// SPDX-License-Identifier: GPL-3.0-or-later
// Lengths in twips, the outer measures of a top-level window, and the screen's size.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QSize>

#include <functional>
#include <optional>

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

// The outer measures of a top-level window in twips, frame and title bar included.
//
// Two frames are told apart. The layout always reckons with the window's design frame around its
// client area, whatever a window manager draws, so that the client area is laid out the same on
// every desktop: width() and height() are the client area plus the design frame. On the screen,
// though, the window takes the room of the frame the window manager really draws: framedWidth()
// and framedHeight() are the client area plus that frame, which is known only once the window
// manager has framed the window (until then, and where nothing frames it, the design frame).
// Positions are the outer frame's top-left corner, kept exactly as written (fractions of a pixel
// included) while the window stays where they put it.
class OuterMeasures {
public:
    // Reports the frame that a window manager drew around the window, in pixels, or nothing
    // while it has drawn none. The default one asks Qt.
    using FrameProbe = std::function<std::optional<QMargins>(const QWidget&)>;

    // The window must outlive this object. designFrame is in pixels.
    OuterMeasures(QWidget& window, QMargins designFrame, FrameProbe probe = {});

    QWidget& window() const { return m_window; }

    // The frame the window manager drew, once it has reported one.
    std::optional<QMargins> realFrame() const;

    // The outer size the layout works with: the client area and the design frame.
    float width() const;
    float height() const;
    // The outer size on the screen: the client area and the real frame (the design frame until a
    // window manager reports one).
    float framedWidth() const;
    float framedHeight() const;
    float left() const;
    float top() const;
    // True while the outer frame stands where setLeft() and setTop() last put it.
    bool isWhereWritten() const;
    // True once: the first time it is asked while a window manager has reported its frame and the
    // window, in its normal state, stands where it was last placed. A window manager tells its
    // frame only once it has framed the window, and may shift the window on the way; a window
    // moved elsewhere for good (by the user), or maximised, never gives true.
    bool isNewlyFramedInPlace();

    // Resizing keeps the other measure; a window has the last word (minimum size, window manager).
    void setWidth(float twips);
    void setHeight(float twips);
    void setLeft(float twips);
    void setTop(float twips);

    // The client size, in pixels, that gives these outer measures around the design frame.
    QSize clientSizeFor(float widthTwips, float heightTwips) const;

private:
    QMargins shownFrame() const;
    // Where setLeft() and setTop() last put the window, once both have.
    std::optional<QPoint> written() const;

    QWidget& m_window;
    QMargins m_designFrame;
    FrameProbe m_probe;
    float m_left = 0.0f; // as last written
    float m_top = 0.0f;
    bool m_leftWritten = false;
    bool m_topWritten = false;
    bool m_framedInPlace = false;
};

// Where a window of the given outer length stands centred on a screen of the given length:
// unrounded and unclamped, negative when the screen is the smaller.
constexpr float centred(float screen, float window) { return (screen - window) / 2.0f; }

// Centres the window on the primary screen by its outer size as drawn: top first, then left.
void centreOnScreen(OuterMeasures& measures);

// A window is centred by its design frame before it is shown; a window manager reports the frame
// it really draws only once it has framed the window. Call at every move and activation: the
// first time the frame is known while the window stands where it was put, it is centred again
// by that frame; never afterwards, and never once the user has moved it.
void centreAgainOnceFramed(OuterMeasures& measures);

// Call when the window is shown: where the platform draws the frame itself (the web), the frame is
// known only just after that, and the window is centred again by it then, as above; on the web
// even where the platform shifted it, since nobody can have moved it yet.
void centreAgainOnceShown(OuterMeasures& measures);

} // namespace dyadora
