#pragma once
// Keyboard rules shared by every screen.

class QCoreApplication;

namespace Tastiera {

// Enter and keypad Enter press the focused push or tool button, as Space
// does. Qt gives Enter only to push buttons, and only inside dialogs, so a
// user walking the fields with Enter would stop on every other button.
// Controls that give Enter a meaning of their own (the edits that move the
// focus on) are not buttons and keep it.
void InstallaInvioSuiPulsanti(QCoreApplication &app);

} // namespace Tastiera
