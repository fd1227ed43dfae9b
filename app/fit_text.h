// Shortening a cell text with "..." so that it fits its cell.
#pragma once

#include <QString>
#include <functional>

namespace app {

// Width in pixels of a text as it will be drawn; negative when it cannot be measured.
using TextWidthFn = std::function<int(const QString&)>;

// The text unchanged when it fits room pixels; else the longest head of it
// followed by "..." that fits. room is taken as unsigned, so a negative room
// (a cell narrower than its margins) leaves every text unchanged, and so does
// a room too narrow for "..." alone: the cell then clips the full text.
QString FitTextToWidth(const QString& text, int room, const TextWidthFn& width);

}  // namespace app
