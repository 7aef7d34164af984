#pragma once
// The eighteen screens created at start, in their fixed order, living for the
// whole run. Screens reach each other's start-up instances through here, the
// way they pass data: through each other's controls. Each builds its form only
// when first shown or used (platform/Differita.h): most are never shown in a
// run, since their dialogs are created anew for every use.

class TfrmPassword;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmGuida;
class TfrmInfo;
class TfrmSplash;
class TfrmRegPagamenti;
class TfrmCodFisc;
class TfrmPartitaIva;
class TfrmAllegaCartella;
class TfrmCalendario;
class TfrmStampaRegPagamenti;
class TfrmExpRegPagamenti;
class TfrmTrovaRegPagamenti;
class TfrmSospesePag;
class TfrmMenuRiepPagamenti;
class TfrmRiepPagamenti;
class TfrmStatistiche;

struct Schermate {
    TfrmPassword *frmPassword = nullptr;
    TfrmAvvio *frmAvvio = nullptr;
    TfrmCambiaPassword *frmCambiaPassword = nullptr;
    TfrmGuida *frmGuida = nullptr;
    TfrmInfo *frmInfo = nullptr;
    TfrmSplash *frmSplash = nullptr;
    TfrmRegPagamenti *frmRegPagamenti = nullptr;
    TfrmCodFisc *frmCodFisc = nullptr;
    TfrmPartitaIva *frmPartitaIva = nullptr;
    TfrmAllegaCartella *frmAllegaCartella = nullptr;
    TfrmCalendario *frmCalendario = nullptr;
    TfrmStampaRegPagamenti *frmStampaRegPagamenti = nullptr;
    TfrmExpRegPagamenti *frmExpRegPagamenti = nullptr;
    TfrmTrovaRegPagamenti *frmTrovaRegPagamenti = nullptr;
    TfrmSospesePag *frmSospesePag = nullptr;
    TfrmMenuRiepPagamenti *frmMenuRiepPagamenti = nullptr;
    TfrmRiepPagamenti *frmRiepPagamenti = nullptr;
    TfrmStatistiche *frmStatistiche = nullptr;

    // The one set of start-up screens of the running program (or of a test).
    static Schermate &Globali();
    // Creates the eighteen screens in their order, all hidden and none built.
    static void CreaTutte();
    // Destroys them in reverse order (tests create a fresh set per case).
    static void DistruggiTutte();

    // Tells a register editor how to open the search and the accounts to
    // settle, which load their records back into it.
    static void CollegaElenchi(TfrmRegPagamenti &editor);
    // Before the program ends: a register editor on screen closes, asking
    // about edits not yet saved. False when the user chose to stay.
    static bool ConsentonoUscita();
};
