#pragma once

#include <QIcon>

// The glyphs of the recipe windows, drawn in code.
namespace RecipeIcons {
QIcon calculate(); // two green arrows forming a circle
QIcon question();
QIcon printer();
} // namespace RecipeIcons
