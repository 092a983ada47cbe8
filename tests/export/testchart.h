// The chart of one litre of beer with start values, as the main window shows it.
#pragma once

#include "chart/tchart.h"

#include <QColor>

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

} // namespace zw::test
