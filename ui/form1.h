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
#include <functional>

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
    // Decodes the pictures that the window holds for its whole life; called once.
    using PictureLoader = std::function<assets::PictureSet()>;

    // The window shows `icon` from the start; its other pictures are decoded once, by
    // loadPictures, after its first frame (or at the first deal, should that come sooner). The
    // services must outlive the window.
    Form1(PictureLoader loadPictures, const SharedPicture& icon, RandomSource& random,
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

    // Centres the window on the screen by its outer size; run before it is first shown, and once
    // more when a window manager has framed it.
    void CentreOnScreen();
    // Keeps the window at least at its design size and spreads the slots over any extra room.
    void ApplyLayout();
    // Decodes the photos, the cover picture and the help window's icon into the hidden holders,
    // the first time it is called; nothing afterwards.
    void loadPictures();
    // Disables this window and opens the help window; the focus comes back to the control that
    // had it when the help window closes.
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
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void setupControls();
    void setupTabOrder();
    void setupConnections();
    void place(QWidget* control, float left, float top);
    void bringHelpBack();
    void showTable();
    void showSlot(int slot);

    Game m_game;
    OuterMeasures m_measures;
    PictureLoader m_loadPictures; // emptied once it has run
    SharedPicture m_helpIcon;
    bool m_isPictureLoadQueued = false;
    QHash<const QWidget*, QPointF> m_positions;
    QPointer<Form2> m_help;
    QPointer<QWidget> m_focusBeforeHelp; // the control to give the focus back to
    Announcer* m_announcer; // tells a screen reader what each move did
};

} // namespace dyadora
