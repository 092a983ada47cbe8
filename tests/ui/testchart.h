// SPDX-FileCopyrightText: 2026 Zechwaage-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The chart of one litre of beer with start values, as the main window shows it, and what the
// export tests need to look at the files it becomes.
#pragma once

#include "chart/tchart.h"

#include <QColor>
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <memory>

namespace zw::test {

inline std::unique_ptr<TChart> BierChart()
{
    auto chart = std::make_unique<TChart>();
    chart->resize(505, 137);
    const QColor gold(255, 215, 0);
    chart->Series1.AddXY(0, 0, gold);
    chart->Series1.AddXY(2, 0.384931506849315, gold);
    chart->Series1.AddXY(4.5662100456621, 0, gold);
    return chart;
}

// Every file under ordner, relative to it: a file written to the wrong place or a temporary
// file left behind shows up here.
inline QStringList Dateien(const QString& ordner)
{
    QStringList dateien;
    for (QDirIterator it(ordner, QDir::Files | QDir::Hidden | QDir::System,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        dateien << QDir(ordner).relativeFilePath(it.next());
    dateien.sort();
    return dateien;
}

inline QByteArray Lies(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace zw::test
