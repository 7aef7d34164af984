#pragma once
// Accessible names for the parts Qt composes inside its own controls, which
// no form can reach: a screen reader would otherwise meet unnamed buttons,
// edits and grids there.

#include <QColor>

class QCalendarWidget;
class QComboBox;
class QLabel;

namespace Accessibilita {

// The month arrows, the month and year buttons, the year edit and the grid
// of days; the arrows and buttons reachable by Tab, the days named in full.
void NominaParti(QCalendarWidget *calendario);

// A label showing a result (a total, a count, an interval) reachable by Tab
// as read-only text with a focus mark, so that a screen reader hears it
// without hunting for it, read from the label itself and so always as shown.
// The caption beside it, if any, becomes its label on the bus.
void RisultatoRaggiungibile(QLabel *valore, QLabel *didascalia = nullptr);

// The colour of the focus mark drawn by the program's own controls.
QColor ColoreSegnoFuoco();

// The edit line and the drop-down list take the drop-down's own name.
void NominaParti(QComboBox *tendina);

} // namespace Accessibilita

class QApplication;

namespace Accessibilita {

// What the screen reader needs from the whole program, put in place once at
// start: the screens that are plain widgets reach the bus as windows, which
// it reports active while they have the focus (a plain top-level widget is a
// filler that never is, and the reader drops every focus change in it); a
// password field's characters never reach the bus; a control's focus reaches
// the bus before the caret moves of its own focusing, which the reader would
// otherwise take for editing and keep silent about the control.
void Installa(QApplication &app);

} // namespace Accessibilita
