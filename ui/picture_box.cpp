// SPDX-License-Identifier: GPL-3.0-or-later
// A picture box that draws its picture in true colours whether enabled or not.
#include "picture_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QStyleOptionFrame>

namespace dyadora {

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
}

void PictureBox::setPicture(const SharedPicture& picture)
{
    if (picture == m_picture) {
        return;
    }
    m_picture = picture;
    update();
}

// The style draws the sunken frame; all the boxes of a size and state look the same, so it is
// drawn once into a shared pixmap and copied from there (two dozen empty boxes make up much of
// the window's first frame).
void PictureBox::drawFrame(QPainter& painter)
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const qreal ratio = devicePixelRatioF();
    const QString key = QStringLiteral("dyadora-frame-%1x%2-%3-%4-%5")
                            .arg(width())
                            .arg(height())
                            .arg(static_cast<uint>(option.state))
                            .arg(palette().cacheKey())
                            .arg(ratio);
    QPixmap frame;
    if (!QPixmapCache::find(key, &frame)) {
        frame = QPixmap(size() * ratio);
        frame.setDevicePixelRatio(ratio);
        frame.fill(Qt::transparent);
        QPainter framePainter(&frame);
        QFrame::drawFrame(&framePainter);
        framePainter.end();
        QPixmapCache::insert(key, frame);
    }
    painter.drawPixmap(0, 0, frame);
}

// A disabled box takes no click but keeps its picture's colours: the picture is drawn here,
// never through the style, which would grey it out. On a screen of high density the picture
// comes from the pixels that best cover it, scaled smoothly to the screen's own pixels (the
// ratio is read at every paint, so a window moved to another screen repaints with the right
// ones); at a ratio of 1 the design's pixels are copied as they are.
void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(painter);
    if (m_picture.isNull()) {
        return;
    }
    const QRect inside = contentsRect();
    painter.setClipRect(inside);
    const qreal ratio = devicePixelRatioF();
    if (ratio == 1.0) {
        painter.drawPixmap(inside.topLeft(), m_picture.design());
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect(inside.topLeft(), m_picture.size()), m_picture.forRatio(ratio));
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QFrame::mousePressEvent(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (wasPressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QFrame::mouseReleaseEvent(event);
}

} // namespace dyadora
