// SPDX-License-Identifier: GPL-3.0-or-later
// A picture box that draws its picture in true colours whether enabled or not.
#include "picture_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace dyadora {

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
}

void PictureBox::setPicture(const QPixmap& picture)
{
    if (picture.cacheKey() == m_picture.cacheKey()) {
        return;
    }
    m_picture = picture;
    update();
}

// A disabled box takes no click but keeps its picture's colours: the picture is drawn here,
// never through the style, which would grey it out.
void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull()) {
        return;
    }
    QPainter painter(this);
    const QRect inside = contentsRect();
    painter.setClipRect(inside);
    painter.drawPixmap(inside.topLeft(), m_picture);
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
