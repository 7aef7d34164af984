#pragma once
// Accessible names for the parts Qt composes inside its own controls, which
// no form can reach: a screen reader would otherwise meet unnamed buttons,
// edits and grids there.

class QCalendarWidget;
class QComboBox;

namespace Accessibilita {

// The month arrows, the month and year buttons, the year edit and the grid
// of days.
void NominaParti(QCalendarWidget *calendario);

// The edit line and the drop-down list take the drop-down's own name.
void NominaParti(QComboBox *tendina);

} // namespace Accessibilita
