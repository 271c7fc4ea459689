#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

#include <string_view>

namespace quenzar {

// A colour as the forms name it: a fixed RGB value, or a system colour that follows the
// player's colour scheme.
struct Colour
{
    enum class Source : unsigned char
    {
        Unset,
        Rgb,
        System
    };
    Source source = Source::Unset;
    QRgb rgb = 0;
    int system = 0;

    bool isSet() const { return source != Source::Unset; }
    QColor resolve(const QPalette& scheme) const;
};

constexpr Colour rgb(int r, int g, int b)
{
    return {Colour::Source::Rgb, qRgb(r, g, b), 0};
}

// System colour numbers used by the forms.
inline constexpr int desktopColour = 1;
inline constexpr int menuTextColour = 7;
inline constexpr int buttonFaceColour = 15;
inline constexpr int buttonTextColour = 18;
constexpr Colour systemColour(int index)
{
    return {Colour::Source::System, 0, index};
}

inline constexpr Colour black = rgb(0, 0, 0);
inline constexpr Colour green = rgb(0, 255, 0);
inline constexpr Colour yellow = rgb(255, 255, 0);
inline constexpr Colour red = rgb(255, 0, 0);
inline constexpr Colour blue = rgb(0, 0, 255);

// A font as the forms name it. A point size of 0 means the form's own font.
struct FontSpec
{
    std::string_view family{};
    double pointSize = 0;
    bool bold = false;
    bool underline = false;

    bool isSet() const { return pointSize > 0; }
    QFont toFont() const;
};

inline constexpr std::string_view comicSans = "Comic Sans MS";
inline constexpr std::string_view msSansSerif = "MS Sans Serif";

// The font every form uses where a control names none.
FontSpec formFont();

// Where the named faces are missing, metric-compatible free faces stand in for them, so that
// captions still fit the fixed layout. Call once before the first form is built.
void installFontSubstitutes();

} // namespace quenzar
