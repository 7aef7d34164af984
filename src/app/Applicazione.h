#pragma once
// What the program entry does to the application before creating the screens.

class QApplication;

namespace Applicazione {

// Names the program, gives every window its icon, puts on the screens' light
// look and the Enter key on buttons, and makes Qt's own dialogs speak Italian
// ("Sì", "No", "Annulla"). The translation belongs to the application and
// lives as long.
void Prepara(QApplication &app);

} // namespace Applicazione
