#pragma once
// Every window of the program within reach on its screen, at any desktop
// scale: a screen designed for 1366x768 needs half again as much room when
// the desktop is scaled by 1.5, and its lower controls would lie off-screen.

class QCoreApplication;
class QScrollArea;
class QWidget;

namespace Adattamento {

// Fits every window of the program, as it is shown, to the screen it is on
// (see AlloSchermo). Qt's own dialogs and menus are left to Qt.
void Installa(QCoreApplication &app);

// When the window needs more room than its screen has, its contents go into
// a scroll area that fills the window, the window is made no larger than the
// screen's free area, and the area follows the focus so that a control
// reached by keyboard is always in view. A window that fits is left alone.
// Returns the scroll area holding the contents, or nullptr when it fits.
QScrollArea *AlloSchermo(QWidget *finestra);

} // namespace Adattamento
