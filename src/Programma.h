#pragma once
// The program put together: the eighteen start-up screens, created in their
// fixed order into Schermate::Globali(), and the links between screens that
// the screens' own folders must not know of.

class TfrmMenuRiepPagamenti;
class TfrmRegPagamenti;

namespace Programma {

// Creates the eighteen screens in their order, all hidden and none built.
void CreaSchermate();
// Destroys them in reverse order (tests create a fresh set per case).
void DistruggiSchermate();

// What the start does to the program folder before any screen reads it: the
// leftovers of a crash dealt with (see PreparaCartella), and what the user
// must hear of them told through the desktop.
void PreparaCartellaProgramma();

// Tells a register editor how to open the search and the accounts to settle,
// which load their records back into it, and the print and export dialogs.
void CollegaEditor(TfrmRegPagamenti &editor);

// Tells the summary criteria how to open the analysis of their interval and
// the list of the year for the tax return.
void CollegaRiepilogo(TfrmMenuRiepPagamenti &criteri);

} // namespace Programma
