// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: design values, layout, and the hand-off of every event to the game.
#include "form1.h"

#include "accessibility.h"
#include "announcer.h"
#include "card_slot.h"
#include "card_words.h"
#include "form2.h"
#include "layout.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <vector>

namespace dyadora {

namespace {

    // The design frame around the client area, used until a window manager reports its own:
    // 60 twips left, right and bottom, 345 twips of title bar and frame on top.
    const QMargins kDesignFrame { 4, 23, 4, 4 };

    QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
        float widthTwips, float heightTwips)
    {
        auto* button = new QPushButton(caption, parent);
        button->setObjectName(QLatin1String(name));
        button->resize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
        button->setAutoDefault(false);
        return button;
    }

    PictureBox* makePictureBox(
        QWidget* parent, const char* name, int index, float widthTwips, float heightTwips)
    {
        auto* box = new PictureBox(parent);
        box->setObjectName(QLatin1String(name));
        if (index >= 0) {
            box->setProperty("index", index);
        }
        box->resize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
        box->setFocusPolicy(Qt::TabFocus); // a tab stop, though never one that is shown
        return box;
    }

} // namespace

Form1::Form1(const assets::PictureSet& pictures, const QIcon& icon, RandomSource& random,
    ProgramEnd& programEnd, QWidget* parent)
    : QWidget(parent)
    , m_game(random, programEnd)
    , m_measures(*this, kDesignFrame)
{
    installAccessibleInterfaces();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Λαβυρίδες"));
    setWindowIcon(icon);
    resize(m_measures.clientSizeFor(layout::kDesignWidth, layout::kDesignHeight));
    updateMinimumSize();

    setupControls(pictures);
    setupTabOrder();
    setupConnections();
    showTable();
    Command1->setFocus();

    CentreOnScreen();
}

Form1::~Form1() { delete m_help.data(); }

void Form1::setupControls(const assets::PictureSet& pictures)
{
    Command1 =
        makeButton(this, "Command1", QString::fromUtf8(texts::kStartFirst.data()), 4455, 375);
    place(Command1, 120, 120);
    Label1 = new QLabel(QString::fromUtf8(texts::kScoreDesign.data()), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->resize(twipsToPixels(2535), twipsToPixels(255));
    place(Label1, 4920, 240);
    Command2 = makeButton(this, "Command2", QStringLiteral("Βοήθεια"), 855, 375);
    place(Command2, 10680, 120);
    Command3 = makeButton(this, "Command3", QStringLiteral("Έξοδος"), 975, 375);
    place(Command3, 10560, 6360);
    Command4 = makeButton(this, "Command4",
        QStringLiteral("Τερματισμός της παρτίδας και εμφάνιση εικόνων"), 3975, 375);
    place(Command4, 6480, 6360);
    Command4->setEnabled(false);

    for (int i = 0; i < kSlots; ++i) {
        auto* slot = new CardSlot(i, this);
        slot->resize(twipsToPixels(1800), twipsToPixels(1350));
        place(slot, layout::slotLeft(i, layout::kDesignWidth),
            layout::slotTop(i, layout::kDesignHeight));
        Picture1[static_cast<std::size_t>(i)] = slot;
    }

    // The holders lie below the design client area and are never shown.
    for (int k = 0; k < kPhotos; ++k) {
        PictureBox* holder = makePictureBox(this, "Picture2", k, 255, 255);
        const float left = 120.0f + 360.0f * static_cast<float>(k) + (k >= 6 ? 120.0f : 0.0f)
            + (k >= 12 ? 120.0f : 0.0f);
        place(holder, left, 7080);
        holder->setPicture(pictures.photos[static_cast<std::size_t>(k)]);
        holder->hide();
        Picture2[static_cast<std::size_t>(k)] = holder;
    }
    Picture3 = makePictureBox(this, "Picture3", -1, 1815, 1335);
    place(Picture3, 9120, 7080);
    Picture3->setPicture(pictures.cover);
    Picture3->hide();

    m_announcer = new Announcer(this);
}

// Slots 0 to 15, the top buttons and the exit button, the photo holders, slots 16 to 23, the
// end-and-reveal button, the cover holder. Hidden and disabled controls are skipped by Qt.
void Form1::setupTabOrder()
{
    std::vector<QWidget*> order;
    order.reserve(kSlots + kPhotos + 5);
    for (int i = 0; i < 16; ++i) {
        order.push_back(Picture1[static_cast<std::size_t>(i)]);
    }
    order.insert(order.end(), { Command1, Command2, Command3 });
    order.insert(order.end(), Picture2.begin(), Picture2.end());
    for (int i = 16; i < kSlots; ++i) {
        order.push_back(Picture1[static_cast<std::size_t>(i)]);
    }
    order.insert(order.end(), { Command4, Picture3 });
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void Form1::setupConnections()
{
    connect(Command1, &QPushButton::clicked, this, [this] {
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
            m_game.SelectSlot(i);
            showTable();
            m_announcer->announce(words::afterTurn(before, m_game, i));
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
        box->setPicture(QPixmap());
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

void Form1::CentreOnScreen()
{
    m_measures.setTop(layout::centred(screenHeightTwips(), m_measures.height()));
    m_measures.setLeft(layout::centred(screenWidthTwips(), m_measures.width()));
}

void Form1::updateMinimumSize()
{
    setMinimumSize(m_measures.clientSizeFor(layout::kDesignWidth, layout::kDesignHeight));
}

void Form1::ApplyLayout()
{
    // A minimised window reports whatever size the window manager likes and must not be fought
    // over; the layout runs again when it is restored.
    if (isMinimized()) {
        return;
    }
    m_frameLaidOut = m_measures.frame();
    updateMinimumSize();

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
}

// A window manager reports its frame only after it has framed the window, by moving it: the
// outer size then changes, and the layout runs again with the real frame.
void Form1::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (m_measures.frame() != m_frameLaidOut) {
        ApplyLayout();
    }
}

void Form1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) {
        ApplyLayout();
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
    setEnabled(false);
    m_help = new Form2(*this);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

} // namespace dyadora
