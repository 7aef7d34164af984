#include "app/Schermate.h"

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "app/Guida.h"
#include "app/Info.h"
#include "app/Splash.h"
#include "charts/Statistiche.h"
#include "checks/CodFisc.h"
#include "checks/PartitaIVA.h"
#include "lists/SospesePag.h"
#include "lists/TrovaRegPagamenti.h"
#include "output/ExpRegPagamenti.h"
#include "output/StampaRegPagamenti.h"
#include "register/AllegaCartella.h"
#include "register/Calendario.h"
#include "register/RegPagamenti.h"
#include "summary/MenuRiepPagamenti.h"
#include "summary/RiepPagamenti.h"

#include <QtGlobal>

static void InizializzaRisorse()
{
    // The pictures live in the static GUI library; pull them in explicitly.
    Q_INIT_RESOURCE(valmora);
}

Schermate &Schermate::Globali()
{
    static Schermate s;
    return s;
}

void Schermate::CreaTutte()
{
    InizializzaRisorse();
    Schermate &s = Globali();
    s.frmPassword = new TfrmPassword;
    s.frmAvvio = new TfrmAvvio;
    s.frmCambiaPassword = new TfrmCambiaPassword;
    s.frmGuida = new TfrmGuida;
    s.frmInfo = new TfrmInfo;
    s.frmSplash = new TfrmSplash;
    s.frmRegPagamenti = new TfrmRegPagamenti;
    CollegaElenchi(*s.frmRegPagamenti);
    s.frmCodFisc = new TfrmCodFisc;
    s.frmPartitaIva = new TfrmPartitaIva;
    s.frmAllegaCartella = new TfrmAllegaCartella;
    s.frmCalendario = new TfrmCalendario;
    s.frmStampaRegPagamenti = new TfrmStampaRegPagamenti;
    s.frmExpRegPagamenti = new TfrmExpRegPagamenti;
    s.frmTrovaRegPagamenti = new TfrmTrovaRegPagamenti;
    s.frmSospesePag = new TfrmSospesePag;
    s.frmMenuRiepPagamenti = new TfrmMenuRiepPagamenti;
    s.frmRiepPagamenti = new TfrmRiepPagamenti;
    s.frmStatistiche = new TfrmStatistiche;
}

void Schermate::CollegaElenchi(TfrmRegPagamenti &editor)
{
    editor.ImpostaElenchi(
        [](QWidget *genitore, VisoreScheda *visore) -> QDialog * {
            auto *d = new TfrmTrovaRegPagamenti(genitore);
            d->visore = visore;
            return d;
        },
        [](QWidget *genitore, VisoreScheda *visore) -> QDialog * {
            auto *d = new TfrmSospesePag(genitore);
            d->visore = visore;
            return d;
        });
}

bool Schermate::ConsentonoUscita()
{
    // The editor closes first, as its own close would: that asks about its
    // unsaved edits once, and the windows closed on quitting ask nothing more.
    TfrmRegPagamenti *editor = Globali().frmRegPagamenti;
    return !editor || !editor->isVisible() || editor->close();
}

void Schermate::DistruggiTutte()
{
    Schermate &s = Globali();
    delete s.frmStatistiche;
    delete s.frmRiepPagamenti;
    delete s.frmMenuRiepPagamenti;
    delete s.frmSospesePag;
    delete s.frmTrovaRegPagamenti;
    delete s.frmExpRegPagamenti;
    delete s.frmStampaRegPagamenti;
    delete s.frmCalendario;
    delete s.frmAllegaCartella;
    delete s.frmPartitaIva;
    delete s.frmCodFisc;
    delete s.frmRegPagamenti;
    delete s.frmSplash;
    delete s.frmInfo;
    delete s.frmGuida;
    delete s.frmCambiaPassword;
    delete s.frmAvvio;
    delete s.frmPassword;
    s = Schermate{};
}
