// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the board of 24 card slots, the four buttons and the score label.
#pragma once

#include "assets/pictures.h"
#include "game/game.h"
#include "platform/twips.h"

#include <QHash>
#include <QPointF>
#include <QPointer>
#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

namespace dyadora {

class Announcer;
class CardSlot;
class Form2;
class PictureBox;

class Form1 : public QWidget {
    Q_OBJECT

public:
    // The pictures are held for the window's life; the services must outlive the window.
    Form1(const assets::PictureSet& pictures, const QIcon& icon, RandomSource& random,
        ProgramEnd& programEnd, QWidget* parent = nullptr);
    ~Form1() override;

    // The controls, named as the game knows them.
    QPushButton* Command1; // start button, the window's default button (Enter)
    QPushButton* Command2; // help
    QPushButton* Command3; // exit, the window's cancel button (Esc)
    QPushButton* Command4; // end the round and show every card
    QLabel* Label1; // score
    std::array<CardSlot*, kSlots> Picture1 {}; // card slots
    std::array<PictureBox*, kPhotos> Picture2 {}; // hidden holders of the photo set
    PictureBox* Picture3; // hidden holder of the cover picture

    // Centres the window on the screen by its outer size; run once, before it is first shown.
    void CentreOnScreen();
    // Keeps the window at least at its design size and spreads the slots over any extra room.
    void ApplyLayout();
    // Disables this window and opens the help window.
    void OpenHelp();

    const Game& game() const { return m_game; }
    const OuterMeasures& measures() const { return m_measures; }
    // A control's position in twips as last placed, relative to the client area.
    QPointF controlPosition(const QWidget* control) const;
    // The open help window, or null.
    Form2* helpWindow() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setupControls(const assets::PictureSet& pictures);
    void setupTabOrder();
    void setupConnections();
    void place(QWidget* control, float left, float top);
    void updateMinimumSize();
    void showTable();
    void showSlot(int slot);

    Game m_game;
    OuterMeasures m_measures;
    QMargins m_frameLaidOut; // the frame that the last layout worked with
    QHash<const QWidget*, QPointF> m_positions;
    QPointer<Form2> m_help;
    Announcer* m_announcer; // tells a screen reader what each move did
};

} // namespace dyadora
