// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/limits/LimitChartLoader.h"

#include "gui/limits/LimitChart.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

QString& ModuleOverride() {
    static QString path;
    return path;
}

QStringList ModuleCandidates() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString name = u"mitoran_limits_chart"_s;
    QStringList candidates;
    if (!ModuleOverride().isEmpty())
        candidates << ModuleOverride();
    // MITORAN_CHART_MODULE_DIR: the module's install folder relative to the programs' ("../lib/mitoran").
    candidates << programFolder + u'/' + QStringLiteral(MITORAN_CHART_MODULE_DIR) + u'/' + name
               << programFolder + u'/' + name;
    return candidates;
}

MakeLimitChartFunction LoadModule() {
    // Never unloaded: the charts the module made live as long as the windows.
    static QLibrary module;
    for (const QString& candidate : ModuleCandidates()) {
        module.setFileName(candidate);
        if (auto make = reinterpret_cast<MakeLimitChartFunction>(module.resolve(kMakeLimitChartSymbol)))
            return make;
        module.unload(); // a file of that name that is no chart module
    }
    return nullptr;
}

} // namespace

LimitChart* MakeLimitChart(QWidget* parent, const QFont& font) {
    static const MakeLimitChartFunction make = LoadModule();
    return make == nullptr ? nullptr : make(parent, font);
}

void UseLimitChartModule(const QString& path) {
    ModuleOverride() = path;
}

} // namespace mitoran
