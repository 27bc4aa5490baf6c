// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFont;
class QWidget;

namespace mitoran {

class LimitChart;

// A chart from the chart module, which is loaded the first time and stays loaded; nullptr when the module cannot
// be found or loaded. The module is looked for in the installed layout (the programs' folder's library folder),
// then beside the program. A static build (Windows) has the chart linked in, or none when built without Qt Charts.
LimitChart* MakeLimitChart(QWidget* parent, const QFont& font);

// The module file to try before the usual places (a test's build).
void UseLimitChartModule(const QString& path);

} // namespace mitoran
