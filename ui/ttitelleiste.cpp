// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ttitelleiste.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace zw {
namespace {

constexpr int kKnopfBreite = 26;
constexpr int kKnopfHoehe = 20;

QColor Gemischt(const QColor& a, const QColor& b, double anteilB)
{
    const auto kanal = [anteilB](int x, int y) {
        return static_cast<int>(std::lround(x + (y - x) * anteilB));
    };
    return {kanal(a.red(), b.red()), kanal(a.green(), b.green()), kanal(a.blue(), b.blue())};
}

// A button glyph drawn in the text colour, so that it follows light and dark palettes.
QIcon Glyphe(bool schliessen, const QColor& farbe)
{
    QPixmap bild(32, 32);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(farbe, 3, Qt::SolidLine, Qt::RoundCap));
    if (schliessen) {
        p.drawLine(QPointF(9, 9), QPointF(23, 23));
        p.drawLine(QPointF(23, 9), QPointF(9, 23));
    } else {
        p.drawLine(QPointF(9, 22), QPointF(23, 22));
    }
    return QIcon(bild);
}

} // namespace

TTitelleiste::TTitelleiste(QWidget* fenster) : QWidget(fenster), fenster_(fenster)
{
    setObjectName(QStringLiteral("Titelleiste"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    const Qt::WindowFlags flaggen = fenster->windowFlags();
    const auto knopf = [this](const QString& name) {
        auto* k = new QToolButton(this);
        k->setAutoRaise(true);
        k->setFocusPolicy(Qt::NoFocus);
        k->setAccessibleName(name);
        k->setToolTip(name);
        k->setIconSize({16, 16});
        k->setFixedSize(kKnopfBreite, kKnopfHoehe);
        return k;
    };
    // Only what the window asks for: the main window can be minimised, the dialogs cannot.
    if (flaggen & Qt::WindowMinimizeButtonHint) {
        minimieren_ = knopf(QStringLiteral("Minimieren"));
        connect(minimieren_, &QToolButton::clicked, fenster, &QWidget::showMinimized);
    }
    schliessen_ = knopf(QStringLiteral("Schließen"));
    connect(schliessen_, &QToolButton::clicked, fenster, &QWidget::close);
    zeichneSymbole();
    fenster->installEventFilter(this);
    setGeometry(Rand, Rand, fenster->width() - 2 * Rand, Hoehe);
    legeKnoepfeFest();
}

void TTitelleiste::legeKnoepfeFest()
{
    int rechts = width() - 2;
    for (QToolButton* k : {schliessen_, minimieren_}) {
        if (k == nullptr)
            continue;
        k->move(rechts - kKnopfBreite, (Hoehe - kKnopfHoehe) / 2);
        rechts -= kKnopfBreite + 2;
    }
}

void TTitelleiste::zeichneSymbole()
{
    const QColor farbe = palette().color(QPalette::WindowText);
    if (minimieren_ != nullptr)
        minimieren_->setIcon(Glyphe(false, farbe));
    schliessen_->setIcon(Glyphe(true, farbe));
}

void TTitelleiste::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    // A shade between face and text: set off from the window in light and in dark palettes.
    p.fillRect(rect(),
               Gemischt(pal.color(QPalette::Window), pal.color(QPalette::WindowText), 0.08));
    p.fillRect(QRect(0, height() - 1, width(), 1), pal.color(QPalette::Mid));

    const QIcon symbol = fenster_->windowIcon();
    int links = 4;
    if (!symbol.isNull()) {
        symbol.paint(&p, QRect(links, (Hoehe - 16) / 2, 16, 16));
        links += 16 + 4;
    }
    QFont fett = font();
    fett.setBold(true);
    p.setFont(fett);
    const bool aktiv = fenster_->isActiveWindow();
    p.setPen(pal.color(aktiv ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    // Centred over the whole bar where it fits, else beside the icon.
    int knoepfe = width();
    for (const QToolButton* k : {schliessen_, minimieren_})
        if (k != nullptr)
            knoepfe = std::min(knoepfe, k->x());
    const QRect platz(links, 0, knoepfe - links - 4, height() - 1);
    const QString titel =
        QFontMetrics(fett).elidedText(fenster_->windowTitle(), Qt::ElideRight, platz.width());
    QRect mitte(0, 0, QFontMetrics(fett).horizontalAdvance(titel), platz.height());
    mitte.moveCenter(QPoint(width() / 2, platz.center().y()));
    if (mitte.left() < platz.left())
        mitte.moveLeft(platz.left());
    if (mitte.right() > platz.right())
        mitte.moveRight(platz.right());
    p.drawText(mitte, Qt::AlignCenter | Qt::TextSingleLine, titel);
}

void TTitelleiste::mousePressEvent(QMouseEvent* e)
{
    // The compositor moves the window; the program cannot place it itself on Wayland.
    if (e->button() == Qt::LeftButton && fenster_->windowHandle() != nullptr) {
        fenster_->windowHandle()->startSystemMove();
        e->accept();
        return;
    }
    QWidget::mousePressEvent(e);
}

void TTitelleiste::mouseDoubleClickEvent(QMouseEvent* e)
{
    // Elsewhere a double click maximises; these windows keep their size.
    e->accept();
}

bool TTitelleiste::eventFilter(QObject* objekt, QEvent* e)
{
    if (objekt == fenster_) {
        switch (e->type()) {
        case QEvent::Resize:
            setGeometry(Rand, Rand, fenster_->width() - 2 * Rand, Hoehe);
            legeKnoepfeFest();
            break;
        case QEvent::WindowTitleChange:
        case QEvent::WindowIconChange:
        case QEvent::ActivationChange: update(); break;
        default: break;
        }
    }
    return QWidget::eventFilter(objekt, e);
}

void TTitelleiste::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::PaletteChange)
        zeichneSymbole();
    QWidget::changeEvent(e);
}

} // namespace zw
