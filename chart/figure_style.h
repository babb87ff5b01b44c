#pragma once

#include <QColor>

namespace chart {

// The dark red of limit notes and of noted values, in the windows and on paper.
inline const QColor kNoteColour(0x9a, 0x2a, 0x1d);

// The pale yellow behind the study's highest peak, in its window and in its PDF.
inline const QColor kBestPeakColour(0xff, 0xf1, 0xb8);

} // namespace chart
