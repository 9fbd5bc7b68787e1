// SPDX-License-Identifier: GPL-3.0-or-later
// The help window.
#include "form2.h"

#include "help_text.h"
#include "platform/window_system.h"
#include "window_icon.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace dyadora {

namespace {
    // Until a window manager frames the window: 45 twips left, right and bottom, 330 on top.
    const QMargins kDesignFrame { 3, 22, 3, 3 };

    QString fromUtf8(std::string_view text)
    {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
} // namespace

CaptionLabel::CaptionLabel(QWidget* parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
}

void CaptionLabel::setCaption(const QString& caption)
{
    m_caption = caption;
    QString shown = caption;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setText(shown);
}

Form2::Form2(QWidget& mainWindow, const SharedPicture& icon)
    : QWidget(nullptr,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_mainWindow(mainWindow)
    , m_measures(*this, kDesignFrame)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Βοήθεια στις λαβυρίδες"));
    showWindowIcon(*this, icon);
    setFixedSize(twipsToPixels(8190), twipsToPixels(5940));

    Label1 = new CaptionLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(
        twipsToPixels(120), twipsToPixels(120), twipsToPixels(7935), twipsToPixels(5295));

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(
        twipsToPixels(3480), twipsToPixels(5520), twipsToPixels(975), twipsToPixels(375));
    Command1->setAutoDefault(false);
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &Form2::CloseHelp);

    LoadHelp();
    // In the page the window stays centred over the main window, which follows the page's size.
    if (mainWindowFillsScreen()) {
        whenScreenResized(*this, [this] { centreOnScreen(m_measures); });
    }
}

void Form2::LoadHelp()
{
    centreOnScreen(m_measures);

    Label1->setCaption(fromUtf8(help::kBlocks[0]));
    for (std::size_t i = 1; i < help::kBlocks.size(); ++i) {
        Label1->setCaption(Label1->caption() + fromUtf8(help::kBlocks[i]));
    }
}

void Form2::CloseHelp()
{
    m_mainWindow.setEnabled(true);
    close();
}

void Form2::UnloadHelp() { m_mainWindow.setEnabled(true); }

// Enter and Esc press "OK" (the space bar does so by itself when it has the focus).
void Form2::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        Command1->click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

// Centred by the design frame before it was shown, the window is centred again by the frame the
// window manager really draws, once, when it first reports it, unless it has been moved.
void Form2::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    centreAgainOnceFramed(m_measures);
}

void Form2::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    centreAgainOnceShown(m_measures);
}

void Form2::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        centreAgainOnceFramed(m_measures);
    }
}

// Every path that closes the window (OK, the close box, Alt+F4) enables the main window before
// the help window goes away.
void Form2::closeEvent(QCloseEvent* event)
{
    UnloadHelp();
    event->accept();
}

} // namespace dyadora
