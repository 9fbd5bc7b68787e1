// SPDX-License-Identifier: GPL-3.0-or-later
// The help window: the rules of the game, with the main window disabled while it is open.
#pragma once

#include "platform/picture.h"
#include "platform/twips.h"

#include <QLabel>
#include <QWidget>

class QPushButton;

namespace dyadora {

// A label whose caption reads back exactly as written. A lone carriage return in the caption
// breaks the line on screen (QLabel itself would draw it as a space).
class CaptionLabel : public QLabel {
    Q_OBJECT

public:
    explicit CaptionLabel(QWidget* parent = nullptr);

    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);

private:
    QString m_caption;
};

class Form2 : public QWidget {
    Q_OBJECT

public:
    // Loads the help window (centred, its text written) for the given main window, which is
    // enabled again whenever this window closes, with the help window's icon decoded once for
    // the whole run. The window deletes itself when it is closed.
    Form2(QWidget& mainWindow, const SharedPicture& icon);

    CaptionLabel* Label1;
    QPushButton* Command1; // "OK": the default and the cancel button

    const OuterMeasures& measures() const { return m_measures; }

    // Centres the window and writes the text; run once, before the window is first shown.
    void LoadHelp();
    // A press of "OK": enables the main window and closes this one.
    void CloseHelp();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UnloadHelp();

    QWidget& m_mainWindow;
    OuterMeasures m_measures;
};

} // namespace dyadora
