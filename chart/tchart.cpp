// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/tchart.h"

#include "chart/farben.h"
#include "schrift/schriften.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <cmath>

namespace zw {

void TAreaSeries::Clear()
{
    punkte_.clear();
    chart_.datenGeaendert();
}

void TAreaSeries::AddXY(double x, double y, const QColor& farbe)
{
    // Points without a usable x are kept last, so the others stay ordered for the search.
    auto stelle = std::isnan(x) ? punkte_.end()
                                : std::upper_bound(punkte_.begin(), punkte_.end(), x,
                                                   [](double wert, const TChartPunkt& p) {
                                                       return std::isnan(p.X) || wert < p.X;
                                                   });
    punkte_.insert(stelle, TChartPunkt{x, y, farbe});
    chart_.datenGeaendert();
}

TChart::TChart(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Reachable by Tab, so that the keyboard can open the menu too.
    setFocusPolicy(Qt::StrongFocus);
}

TChart::~TChart() = default;

void TChart::setTrennzeichen(const TTrennzeichen& t)
{
    if (t.Dezimal == trennzeichen_.Dezimal && t.Tausender == trennzeichen_.Tausender)
        return;
    trennzeichen_ = t;
    datenGeaendert();
}

void TChart::datenGeaendert()
{
    layout_.reset();
    update();
}

const TChartLayout& TChart::layout() const
{
    if (!layout_) {
        TChartEingabe e;
        e.groesse = size();
        e.hintergrund = palette().color(QPalette::Window);
        // On a dark face black would vanish: the lines, texts and grid take the palette's text
        // colour and a lightened grey instead, each readable against the face. A light face
        // keeps black and grey.
        if (IstDunkel(e.hintergrund)) {
            const QColor text = LesbareFarbe(palette().color(QPalette::WindowText), e.hintergrund);
            e.linienFarbe = text;
            e.textFarbe = text;
            e.gitterFarbe = LesbareFarbe(e.gitterFarbe, e.hintergrund);
        }
        e.achsenSchrift = Arial();
        e.markenSchrift = SmallFonts();
        e.trennzeichen = trennzeichen_;
        e.masse = &masse_;
        layout_ = std::make_unique<TChartLayout>(BerechneChartLayout(Series1.Punkte(), e));
    }
    return *layout_;
}

void TChart::zeichne(QPainter& p) const { MaleChart(p, layout(), &masse_); }

QImage TChart::alsBild(qreal devicePixelRatio) const
{
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QImage bild(QSize(std::max(1, static_cast<int>(std::lround(width() * dpr))),
                      std::max(1, static_cast<int>(std::lround(height() * dpr)))),
                QImage::Format_RGB32);
    bild.setDevicePixelRatio(dpr);
    QPainter p(&bild);
    zeichne(p);
    return bild;
}

void TChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    try {
        zeichne(p);
    } catch (const std::exception&) {
        // Nothing sensible to show; an exception must not unwind through the event loop.
        p.fillRect(rect(), palette().color(QPalette::Window));
    }
    // Only on screen: the pictures made of the chart never carry it. Shown, as by the
    // controls, once the keyboard has moved the focus in this window.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        QStyleOptionFocusRect fokus;
        fokus.initFrom(this);
        fokus.rect = rect().adjusted(1, 1, -1, -1);
        fokus.backgroundColor = palette().color(QPalette::Window);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &fokus, &p, this);
    }
}

void TChart::focusInEvent(QFocusEvent* e)
{
    update();
    QWidget::focusInEvent(e);
}

void TChart::focusOutEvent(QFocusEvent* e)
{
    update();
    QWidget::focusOutEvent(e);
}

void TChart::resizeEvent(QResizeEvent* e)
{
    layout_.reset();
    QWidget::resizeEvent(e);
}

void TChart::contextMenuEvent(QContextMenuEvent* e)
{
    // From the keyboard the mouse may be anywhere; the menu belongs over the chart.
    const QPoint ort =
        e->reason() == QContextMenuEvent::Mouse ? e->globalPos() : mapToGlobal(rect().center());
    e->accept();
    Q_EMIT kontextmenuAngefordert(ort);
}

void TChart::keyPressEvent(QKeyEvent* e)
{
    // Qt turns the Menu key into a context menu event itself, but not the other common key.
    if (e->key() == Qt::Key_F10 && e->modifiers() == Qt::ShiftModifier) {
        QContextMenuEvent menue(QContextMenuEvent::Keyboard, rect().center(),
                                mapToGlobal(rect().center()), e->modifiers());
        contextMenuEvent(&menue);
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TChart::changeEvent(QEvent* e)
{
    switch (e->type()) {
    case QEvent::FontChange:
    case QEvent::ApplicationFontChange:
        // The same font may now resolve to another face: measure again.
        masse_ = TChartMasse{};
        datenGeaendert();
        break;
    case QEvent::PaletteChange:
    case QEvent::StyleChange: datenGeaendert(); break;
    default: break;
    }
    QWidget::changeEvent(e);
}

} // namespace zw
