#pragma once
// The eighteen screens created at start, in their fixed order, living for the
// whole run. Screens reach each other's start-up instances through here, the
// way they pass data: through each other's controls. Each builds its form only
// when first shown or used (platform/Differita.h): most are never shown in a
// run, since their dialogs are created anew for every use. They are held as
// windows, so that a screen needs to know only the classes it talks to; one
// that needs another's own interface casts to the class it knows.

class QWidget;

struct Schermate {
    QWidget *frmPassword = nullptr;
    QWidget *frmAvvio = nullptr;
    QWidget *frmCambiaPassword = nullptr;
    QWidget *frmGuida = nullptr;
    QWidget *frmInfo = nullptr;
    QWidget *frmSplash = nullptr;
    QWidget *frmRegPagamenti = nullptr;
    QWidget *frmCodFisc = nullptr;
    QWidget *frmPartitaIva = nullptr;
    QWidget *frmAllegaCartella = nullptr;
    QWidget *frmCalendario = nullptr;
    QWidget *frmStampaRegPagamenti = nullptr;
    QWidget *frmExpRegPagamenti = nullptr;
    QWidget *frmTrovaRegPagamenti = nullptr;
    QWidget *frmSospesePag = nullptr;
    QWidget *frmMenuRiepPagamenti = nullptr;
    QWidget *frmRiepPagamenti = nullptr;
    QWidget *frmStatistiche = nullptr;

    // The one set of start-up screens of the running program (or of a test).
    static Schermate &Globali();

    // Before the program ends: a register editor on screen closes, asking
    // about edits not yet saved. False when the user chose to stay.
    static bool ConsentonoUscita();
};
