#pragma once

#include <QColor>

// Colours as the drawing layer names them. A colour is an opaque RGB value; the names below are
// the sixteen basic colours that form descriptions and code refer to.
using TColor = QColor;

inline constexpr TColor clBlack{0, 0, 0};
inline constexpr TColor clMaroon{128, 0, 0};
inline constexpr TColor clGreen{0, 128, 0};
inline constexpr TColor clOlive{128, 128, 0};
inline constexpr TColor clNavy{0, 0, 128};
inline constexpr TColor clPurple{128, 0, 128};
inline constexpr TColor clTeal{0, 128, 128};
inline constexpr TColor clGray{128, 128, 128};
inline constexpr TColor clSilver{192, 192, 192};
inline constexpr TColor clRed{255, 0, 0};
inline constexpr TColor clLime{0, 255, 0};
inline constexpr TColor clYellow{255, 255, 0};
inline constexpr TColor clBlue{0, 0, 255};
inline constexpr TColor clFuchsia{255, 0, 255};
inline constexpr TColor clAqua{0, 255, 255};
inline constexpr TColor clWhite{255, 255, 255};

// The opaque RGB colour that a pen or brush keeps for the given one: any alpha is dropped, and an
// invalid colour stays invalid, for the caller to refuse.
inline QColor opaqueColor(const QColor &color)
{
    if (!color.isValid())
        return QColor();
    const QColor rgb = color.toRgb();
    return QColor(rgb.red(), rgb.green(), rgb.blue());
}
