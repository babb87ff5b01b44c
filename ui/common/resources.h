#pragma once

namespace ui {

// Registers the window pictures (":/zeb/emblem-48.png", ":/zeb/emblem-125x135.png",
// ":/zeb/emblem.svg") held in this static library. Safe to call more than once.
void initResources();

} // namespace ui
