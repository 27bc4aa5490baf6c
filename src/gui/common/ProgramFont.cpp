// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/ProgramFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

namespace {

// On Windows the system's fonts ("ＭＳ Ｐゴシック" for the window, "ＭＳ ゴシック" for the grid), else the Japanese
// fonts Windows ships in its later releases, else any Japanese font the machine has. Elsewhere both use
// IPAGothic, one family alone: every further family in a font makes Qt ask the font configuration for that
// font's whole fall-back list when it first loads, and a second face costs its loading, at start. Where
// IPAGothic is missing the font configuration substitutes its nearest face.
QFont PixelFont(const QStringList& families) {
    QFont font;
#ifdef Q_OS_WIN
    font.setFamily(FirstInstalledFamily(families + QStringList{u"Meiryo UI"_s, u"Yu Gothic UI"_s}));
#else
    font.setFamilies(families);
#endif
    font.setPixelSize(12);
    return font;
}

} // namespace

QString FirstInstalledFamily(const QStringList& wanted) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : wanted) {
        if (installed.contains(family, Qt::CaseInsensitive) || QFontDatabase::hasFamily(family))
            return family;
    }
    // Vertical faces ("@MS Gothic") lay every glyph on its side.
    for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
        if (!family.startsWith(QLatin1Char('@')))
            return family;
    }
    return wanted.value(0);
}

QFont ProgramFont() {
#ifdef Q_OS_WIN
    return PixelFont({u"ＭＳ Ｐゴシック"_s, u"MS PGothic"_s});
#else
    return PixelFont({u"IPAGothic"_s});
#endif
}

QFont GridFont() {
#ifdef Q_OS_WIN
    return PixelFont({u"ＭＳ ゴシック"_s, u"MS Gothic"_s});
#else
    return ProgramFont();
#endif
}

} // namespace mitoran
