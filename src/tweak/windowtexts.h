#pragma once

#include <QStringView>

namespace quenzar {

// Texts of the main window that more than one of its parts shows or looks for.

// What both path boxes hold until a path is typed, and what Clear Path puts back; a save
// dialogue that finds it knows no path was given.
inline constexpr QStringView pathPlaceholder = u"Enter Path...";

// The title of the Safe to File question and of the Exit question.
inline constexpr QStringView questionTitle = u"Tarvel's DOOM 3 TWEAK";

} // namespace quenzar
