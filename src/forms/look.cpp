#include "forms/look.h"

namespace quenzar {

QColor Colour::resolve(const QPalette& scheme) const
{
    switch (source) {
    case Source::Unset:
        return QColor();
    case Source::Rgb:
        return QColor::fromRgb(rgb);
    case Source::System:
        switch (system) {
        case buttonTextColour:
            return scheme.color(QPalette::Active, QPalette::ButtonText);
        case buttonFaceColour:
            return scheme.color(QPalette::Active, QPalette::Button);
        case menuTextColour:
            return scheme.color(QPalette::Active, QPalette::WindowText);
        case desktopColour:
        default:
            // No toolkit reports the desktop's colour; this is the standard scheme's.
            return QColor(58, 110, 165);
        }
    }
    return QColor();
}

QFont FontSpec::toFont() const
{
    QFont font(QString::fromLatin1(family.data(), qsizetype(family.size())));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

FontSpec formFont()
{
    return FontSpec{msSansSerif, 8.25};
}

void installFontSubstitutes()
{
    // A face that is installed is always preferred to its substitutes, so the table can be set
    // without first loading the list of every installed face.
    QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"),
                               {QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans")});
}

} // namespace quenzar
