// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// A drawing made of exactly the primitives the chart uses, for the metafile tests, benchmarks
// and fuzzer seeds.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPolygon>
#include <QStringList>

namespace zw::testbild {

inline QFont schrift(const QString& name, int pixel)
{
    QFont f;
    f.setFamilies({name, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(pixel);
    f.setStyleHint(QFont::SansSerif);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

constexpr int kBreite = 505;
constexpr int kHoehe = 137;

inline void zeichne(QPainter& p)
{
    p.fillRect(QRect(0, 0, kBreite, kHoehe), QColor(240, 240, 240));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(30, 19, 445, 105));
    p.drawLine(25, 124, 30, 119);
    p.drawLine(475, 19, 480, 14);

    p.setPen(QPen(QColor(128, 128, 128), 1, Qt::DotLine));
    for (int y = 40; y < 124; y += 21)
        p.drawLine(31, y, 474, y);
    p.setPen(QPen(QColor(128, 128, 128), 1));
    for (int y = 40; y < 124; y += 21)
        p.drawLine(26, y, 29, y);

    p.setPen(QPen(Qt::black, 2));
    p.drawLine(29, 19, 29, 124);
    p.drawLine(29, 125, 475, 125);

    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(255, 215, 0));
    p.drawPolygon(QPolygon({QPoint(30, 124), QPoint(200, 30), QPoint(200, 124)}));
    p.drawPolygon(QPolygon({QPoint(200, 124), QPoint(200, 30), QPoint(450, 124)}));
    p.setBrush(QColor(191, 151, 0));
    p.drawPolygon(QPolygon({QPoint(30, 124), QPoint(35, 119), QPoint(205, 25), QPoint(200, 30)}));

    p.setFont(schrift(QStringLiteral("Arial"), 11));
    p.setPen(Qt::black);
    p.drawText(QPoint(8, 44), QStringLiteral("0,3"));
    p.drawText(QPoint(8, 86), QStringLiteral("0,1"));
    p.drawText(QPoint(196, 136), QStringLiteral("2"));
    p.drawText(QPoint(240, 12), QStringLiteral("Stunden äöü"));
    p.save();
    p.translate(12, 90);
    p.rotate(-90);
    p.drawText(QPoint(0, 0), QStringLiteral("Promille"));
    p.restore();

    p.setPen(Qt::white);
    p.drawLine(200, 30, 200, 22);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(255, 255, 128));
    p.drawRect(QRect(185, 8, 31, 13));
    p.setFont(schrift(QStringLiteral("Small Fonts"), 9));
    p.drawText(QPoint(191, 18), QStringLiteral("0,385"));
}

} // namespace zw::testbild
