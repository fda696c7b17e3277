#include "ui/qt/dialog_units.h"

#include "ui/qt/window_texts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QString>
#include <QStringList>

#include <climits>
#include <cstdint>

namespace veldronix::qt {
namespace {

// Proportional Gothic faces drawn to the metrics of the Windows dialog font,
// most faithful first: IPA P Gothic (fonts-ipafont-gothic) is its usual stand-in.
const char* const standInFaces[] = {"IPAPGothic", "IPA Pゴシック", "VL PGothic", "Noto Sans CJK JP"};

} // namespace

int mulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0) {
        return -1;
    }
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const std::int64_t half = denominator / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = (product < 0 ? -product : product) + (half < 0 ? -half : half);
    const std::int64_t quotient = magnitude / (denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator);
    const std::int64_t result = negative ? -quotient : quotient;
    if (result > INT_MAX || result < INT_MIN) {
        return -1;
    }
    return static_cast<int>(result);
}

DialogBaseUnits baseUnitsOf(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return DialogBaseUnits{(letters / 26 + 1) / 2, metrics.ascent() + metrics.descent()};
}

QRect toPixels(const layout::DialogUnitRect& rect, DialogBaseUnits units)
{
    return QRect(mulDiv(rect.x, units.x, 4), mulDiv(rect.y, units.y, 8), mulDiv(rect.width, units.x, 4),
                 mulDiv(rect.height, units.y, 8));
}

QFont dialogFont()
{
    // The installed families themselves, not fontconfig's aliases: an alias
    // would hand back whatever default face it falls back on.
    const QStringList installed = QFontDatabase::families();
    QStringList faces{fromUtf8(layout::dialogFont.face)};
    for (const char* face : standInFaces) {
        faces.append(QString::fromUtf8(face));
    }
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(layout::dialogFont.points);
    for (const QString& face : faces) {
        if (installed.contains(face)) {
            font.setFamily(face);
            return font;
        }
    }
    // None installed: the list lets the font matcher pick the nearest.
    font.setFamilies(faces);
    return font;
}

} // namespace veldronix::qt
