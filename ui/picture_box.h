// SPDX-License-Identifier: GPL-3.0-or-later
// A picture box: a sunken frame showing a shared picture at its design size from its top-left
// corner.
#pragma once

#include "platform/picture.h"

#include <QFrame>

namespace dyadora {

class PictureBox : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Shows the shared picture object itself; nothing is copied. A null picture shows none.
    void setPicture(const SharedPicture& picture);
    const SharedPicture& picture() const { return m_picture; }

signals:
    // A left-button press and release on the box while it is enabled.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void drawFrame(QPainter& painter);
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    SharedPicture m_picture;
    bool m_pressed = false;
};

} // namespace dyadora
