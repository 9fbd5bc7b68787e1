// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: design values, layout, and the hand-off of every event to the game.
#include "form1.h"

#include "accessibility.h"
#include "announcer.h"
#include "card_slot.h"
#include "card_words.h"
#include "form2.h"
#include "layout.h"
#include "platform/window_system.h"
#include "window_icon.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <utility>

namespace dyadora {

namespace {

    // The design frame around the client area, used until a window manager reports its own:
    // 60 twips left, right and bottom, 345 twips of title bar and frame on top.
    const QMargins kDesignFrame { 4, 23, 4, 4 };

} // namespace

Form1::Form1(PictureLoader loadPictures, const SharedPicture& icon, RandomSource& random,
    ProgramEnd& programEnd, QWidget* parent)
    : QWidget(parent)
    , m_game(random, programEnd)
    , m_measures(*this, kDesignFrame)
    , m_loadPictures(std::move(loadPictures))
{
    installAccessibleInterfaces();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Λαβυρίδες"));
    showWindowIcon(*this, icon);
    // The client area of the design, which is also the smallest the window can be made.
    resize(m_measures.clientSizeFor(layout::kDesignWidth, layout::kDesignHeight));
    setMinimumSize(size());

    setupControls();
    setupTabOrder();
    setupConnections();
    showTable();
    Command1->setFocus();

    CentreOnScreen();
}

Form1::~Form1() { delete m_help.data(); }

void Form1::loadPictures()
{
    if (!m_loadPictures) {
        return;
    }
    const assets::PictureSet pictures = std::exchange(m_loadPictures, nullptr)();
    for (std::size_t k = 0; k < Picture2.size(); ++k) {
        Picture2[k]->setPicture(pictures.photos[k]);
    }
    Picture3->setPicture(pictures.cover);
    m_helpIcon = pictures.helpWindowIcon;
}

// Nothing but the window icon is decoded before the first frame: the board is empty until the
// first deal. The other pictures are decoded as soon as that frame is on the screen.
void Form1::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (!m_isPictureLoadQueued && m_loadPictures) {
        m_isPictureLoadQueued = true;
        afterFrameShown(*this, [this] { loadPictures(); });
    }
}

void Form1::setupConnections()
{
    connect(Command1, &QPushButton::clicked, this, [this] {
        loadPictures();
        m_game.StartRound();
        showTable();
        m_announcer->announce(words::afterStart(m_game));
    });
    connect(Command2, &QPushButton::clicked, this, &Form1::OpenHelp);
    connect(Command3, &QPushButton::clicked, this, [this] {
        m_game.ExitGame();
        showTable();
    });
    connect(Command4, &QPushButton::clicked, this, [this] {
        m_game.EndAndReveal();
        showTable();
        m_announcer->announce(words::afterEndAndReveal(m_game));
    });
    for (int i = 0; i < kSlots; ++i) {
        connect(Picture1[static_cast<std::size_t>(i)], &PictureBox::clicked, this, [this, i] {
            const Table before = m_game.table();
            const bool wasInProgress = m_game.isRoundInProgress();
            m_game.SelectSlot(i);
            showTable();
            // The win and the loss are spoken at once, in the same words as the move that
            // ended the round.
            const bool ended = wasInProgress && !m_game.isRoundInProgress();
            m_announcer->announce(words::afterTurn(before, m_game, i),
                ended ? Announcer::Urgency::Assertive : Announcer::Urgency::Polite);
        });
    }
}

void Form1::place(QWidget* control, float left, float top)
{
    m_positions.insert(control, QPointF(static_cast<double>(left), static_cast<double>(top)));
    placeControl(*control, left, top);
}

QPointF Form1::controlPosition(const QWidget* control) const { return m_positions.value(control); }

Form2* Form1::helpWindow() const { return m_help.data(); }

// Shows the game's plain values on the widgets.
void Form1::showTable()
{
    const Table& table = m_game.table();
    for (int i = 0; i < kSlots; ++i) {
        showSlot(i);
    }
    CardSlot::showTurnable(Picture1, table.slotEnabled, *Command1);
    Command1->setText(QString::fromStdString(table.command1Caption));
    Label1->setText(QString::fromStdString(table.label1Caption));
    Command4->setEnabled(table.command4Enabled);
}

void Form1::showSlot(int slot)
{
    const auto i = static_cast<std::size_t>(slot);
    const Face& face = m_game.table().faces[i];
    CardSlot* box = Picture1[i];
    switch (face.kind) {
    case FaceKind::Empty:
        box->setPicture(SharedPicture());
        break;
    case FaceKind::Cover:
        box->setPicture(Picture3->picture());
        break;
    case FaceKind::Photo:
        box->setPicture(Picture2[face.photo]->picture());
        break;
    }
    const QString description = QString::fromStdString(words::cardDescription(m_game, slot));
    if (box->accessibleDescription() != description) {
        box->setAccessibleDescription(description);
    }
}

void Form1::CentreOnScreen() { centreOnScreen(m_measures); }

// The layout reckons with the design frame around the client area whatever frame the window
// manager draws, so that no frame, however thick, cuts the bottom buttons off, and a maximised
// window (which loses its frame) is laid out like any other.
void Form1::ApplyLayout()
{
    // A minimised window reports whatever size the window manager likes and must not be fought
    // over; the layout runs again when it is restored.
    if (isMinimized()) {
        return;
    }

    // Enlarging raises a nested resize event, which lays the window out at the corrected size;
    // this pass then goes on with the size as it now is.
    if (m_measures.width() < layout::kDesignWidth) {
        m_measures.setWidth(layout::kDesignWidth);
    }
    if (m_measures.height() < layout::kDesignHeight) {
        m_measures.setHeight(layout::kDesignHeight);
    }

    place(Command4, layout::command4Left(m_measures.width()),
        layout::command4Top(m_measures.height()));
    place(Command3, layout::command3Left(m_measures.width()),
        layout::command3Top(m_measures.height()));
    place(Command2, layout::command2Left(m_measures.width()), 120);
    for (int i = 0; i < kSlots; ++i) {
        place(Picture1[static_cast<std::size_t>(i)], layout::slotLeft(i, m_measures.width()),
            layout::slotTop(i, m_measures.height()));
    }
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ApplyLayout();
    centreAgainOnceFramed(m_measures);
}

void Form1::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    centreAgainOnceFramed(m_measures);
}

void Form1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    centreAgainOnceShown(m_measures);
}

void Form1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::WindowStateChange:
        if (!isMinimized()) {
            ApplyLayout();
        }
        break;
    case QEvent::ActivationChange:
        centreAgainOnceFramed(m_measures);
        if (isActiveWindow()) {
            bringHelpBack();
        }
        break;
    case QEvent::EnabledChange:
        // Only the help window disables this one: it is closing, and the keyboard goes back to
        // where it was.
        if (isEnabled()) {
            if (m_focusBeforeHelp) {
                m_focusBeforeHelp->setFocus(Qt::OtherFocusReason);
            }
            m_focusBeforeHelp.clear();
            activateWindow();
        }
        break;
    default:
        break;
    }
}

// Enter presses the focused push button, or else the start button (a focused card takes Enter
// itself); Esc presses the exit button.
void Form1::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        QPushButton* target = focused != nullptr && focused->isEnabled() ? focused : Command1;
        if (target->isEnabled()) {
            target->click();
        }
        return;
    }
    case Qt::Key_Escape:
        if (Command3->isEnabled()) {
            Command3->click();
        }
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

// While the help window is open this window is disabled and refuses a close from the window
// manager; otherwise closing it ends the program.
void Form1::closeEvent(QCloseEvent* event)
{
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    event->accept();
}

void Form1::OpenHelp()
{
    loadPictures();
    m_focusBeforeHelp = focusWidget();
    setEnabled(false);
    m_help = new Form2(*this, m_helpIcon);
    bringHelpBack();
}

// While the help window is open, this window takes no input; a click on it or its activation
// brings the help window back on top with the keyboard focus, so that it can never be lost
// behind this one.
void Form1::bringHelpBack()
{
    if (m_help == nullptr || isEnabled()) {
        return;
    }
    // Shown as it is designed, never minimised, and never filling the screen where the platform
    // would show a new window so (the web does).
    m_help->showNormal();
    m_help->raise();
    m_help->activateWindow();
}

} // namespace dyadora
