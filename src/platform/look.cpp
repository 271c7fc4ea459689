#include "platform/look.h"

#include <QFontDatabase>

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
    const QStringList families = QFontDatabase::families();
    const auto substitute = [&](const QString& wanted, const QStringList& standIns) {
        if (families.contains(wanted))
            return;
        QFont::insertSubstitutions(wanted, standIns);
    };
    substitute(QStringLiteral("Comic Sans MS"),
               {QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
    substitute(QStringLiteral("MS Sans Serif"),
               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                QStringLiteral("DejaVu Sans")});
}

} // namespace quenzar
