#pragma once

#include <QColor>

#include <array>

namespace look {

// The dark red of limit notes and of noted values, in the windows and on paper.
extern const QColor kNoteColour;

// The pale yellow behind the study's highest peak, in its window and in its PDF.
extern const QColor kBestPeakColour;

// The charts' series: the flood (and the study's peaks), the unit hydrograph, the rainfall
// excess and losses, and a peak's marker (and the study's noted peaks).
extern const QColor kFloodColour;
extern const QColor kUnitHydrographColour;
extern const QColor kExcessColour;
extern const QColor kLossColour;
extern const QColor kPeakColour;

// The curves of the rainfall analysis, one per return period from the shortest to the longest:
// six colours told apart on screen, on paper and by most readers with a colour deficiency.
extern const std::array<QColor, 6> kReturnPeriodColours;

} // namespace look
