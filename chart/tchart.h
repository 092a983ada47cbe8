// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// Chart1: the blood alcohol chart, an area series over numeric axes in a shallow 3-D look.
#pragma once

#include "chart/chartlayout.h"
#include "report/zahltext.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <memory>
#include <vector>

class QPainter;

namespace zw {

class TChart;

// The one area series. Changing it only marks the chart for repainting.
class TAreaSeries {
public:
    explicit TAreaSeries(TChart& chart) : chart_(chart) {}
    void Clear();
    // Inserted after all points with a smaller or equal x.
    void AddXY(double x, double y, const QColor& farbe);
    const std::vector<TChartPunkt>& Punkte() const { return punkte_; }

private:
    TChart& chart_;
    std::vector<TChartPunkt> punkte_;
};

class TChart : public QWidget {
    Q_OBJECT
public:
    explicit TChart(QWidget* parent = nullptr);
    ~TChart() override;

    TAreaSeries Series1{*this};

    void setTrennzeichen(const TTrennzeichen& t);
    const TTrennzeichen& trennzeichen() const { return trennzeichen_; }

    // Draws the whole chart, background included, at its logical size with the painter's origin
    // at the chart's top left: the same drawing the screen shows, for pictures and files.
    void zeichne(QPainter& p) const;
    // The chart as an image of size() x devicePixelRatio.
    QImage alsBild(qreal devicePixelRatio = 1.0) const;
    // The geometry drawn for the current points, size, separators, palette and fonts; computed
    // on first use and kept until one of them changes.
    const TChartLayout& layout() const;

Q_SIGNALS:
    // The chart's menu was asked for: by the right button (at the mouse), or with the chart
    // focused by the Menu key or Shift+F10 (at the chart's centre). The owner opens it there.
    void kontextmenuAngefordert(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    friend class TAreaSeries;
    void datenGeaendert();

    TTrennzeichen trennzeichen_;
    mutable std::unique_ptr<TChartLayout> layout_; // computed on demand, dropped on every change
    mutable TChartMasse masse_; // texts measured by earlier layouts, until the fonts change
};

} // namespace zw
