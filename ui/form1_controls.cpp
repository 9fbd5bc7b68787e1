// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls with their design values, and its tab order.
#include "form1.h"

#include "announcer.h"
#include "card_slot.h"
#include "layout.h"

#include <QLabel>
#include <QPushButton>

#include <vector>

namespace dyadora {

namespace {

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

void Form1::setupControls()
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
        holder->hide();
        Picture2[static_cast<std::size_t>(k)] = holder;
    }
    Picture3 = makePictureBox(this, "Picture3", -1, 1815, 1335);
    place(Picture3, 9120, 7080);
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

} // namespace dyadora
