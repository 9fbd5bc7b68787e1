// SPDX-License-Identifier: GPL-3.0-or-later
// A picture box: a sunken frame showing a shared picture unscaled from its top-left corner.
#pragma once

#include <QFrame>
#include <QPixmap>

namespace dyadora {

class PictureBox : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Shows the picture object itself (Qt shares it; nothing is copied). A null pixmap shows none.
    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return m_picture; }

signals:
    // A left-button press and release on the box while it is enabled.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void drawFrame(QPainter& painter);
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
    bool m_pressed = false;
};

} // namespace dyadora
