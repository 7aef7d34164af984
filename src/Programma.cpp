#include "Programma.h"

#include "access/CambiaPassword.h"
#include "analysis/AnalisiSpese.h"
#include "analysis/SpeseDichiarazione.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "app/Guida.h"
#include "app/Info.h"
#include "app/Splash.h"
#include "charts/Statistiche.h"
#include "checks/CodFisc.h"
#include "checks/PartitaIVA.h"
#include "imports/Importa.h"
#include "lists/Eliminate.h"
#include "lists/SospesePag.h"
#include "lists/TrovaRegPagamenti.h"
#include "output/ExpRegPagamenti.h"
#include "output/StampaRegPagamenti.h"
#include "platform/Desktop.h"
#include "platform/Schermate.h"
#include "register/AllegaCartella.h"
#include "register/Calendario.h"
#include "register/Copie.h"
#include "register/PreparazioneCartella.h"
#include "register/RegPagamenti.h"
#include "summary/MenuRiepPagamenti.h"
#include "summary/RiepPagamenti.h"

static void InizializzaRisorse()
{
    // The pictures live in the static GUI library; pull them in explicitly.
    Q_INIT_RESOURCE(valmora);
}

namespace {

// A list that loads the record chosen back into the editor that opened it.
template <class D>
QDialog *Elenco(QWidget *genitore, VisoreScheda *visore)
{
    auto *d = new D(genitore);
    d->visore = visore;
    return d;
}

// A dialog that reads the editor's controls and the archive by itself.
template <class D>
QDialog *Dialogo(QWidget *genitore, VisoreScheda *)
{
    return new D(genitore);
}

} // namespace

namespace Programma {

void PreparaCartellaProgramma()
{
    Desktop &desktop = Desktop::Corrente();
    for (const QString &m : PreparaCartella(desktop.CartellaProgramma()))
        desktop.Messaggio(Desktop::Tipo::Avviso, m);
}

void CreaSchermate()
{
    InizializzaRisorse();
    Schermate &s = Schermate::Globali();
    s.frmPassword = new TfrmPassword;
    auto *avvio = new TfrmAvvio;
    s.frmAvvio = avvio;
    avvio->ImpostaCopie([](QWidget *genitore) -> QDialog * { return new TfrmCopie(genitore); });
    s.frmCambiaPassword = new TfrmCambiaPassword;
    s.frmGuida = new TfrmGuida;
    s.frmInfo = new TfrmInfo;
    s.frmSplash = new TfrmSplash;
    auto *editor = new TfrmRegPagamenti;
    s.frmRegPagamenti = editor;
    CollegaEditor(*editor);
    s.frmCodFisc = new TfrmCodFisc;
    s.frmPartitaIva = new TfrmPartitaIva;
    s.frmAllegaCartella = new TfrmAllegaCartella;
    s.frmCalendario = new TfrmCalendario;
    s.frmStampaRegPagamenti = new TfrmStampaRegPagamenti;
    s.frmExpRegPagamenti = new TfrmExpRegPagamenti;
    s.frmTrovaRegPagamenti = new TfrmTrovaRegPagamenti;
    s.frmSospesePag = new TfrmSospesePag;
    auto *criteri = new TfrmMenuRiepPagamenti;
    s.frmMenuRiepPagamenti = criteri;
    CollegaRiepilogo(*criteri);
    s.frmRiepPagamenti = new TfrmRiepPagamenti;
    s.frmStatistiche = new TfrmStatistiche;
}

void CollegaEditor(TfrmRegPagamenti &editor)
{
    editor.ImpostaElenchi(&Elenco<TfrmTrovaRegPagamenti>, &Elenco<TfrmSospesePag>);
    editor.ImpostaStampe(&Dialogo<TfrmStampaRegPagamenti>, &Dialogo<TfrmExpRegPagamenti>);
    editor.ImpostaEliminate(&Elenco<TfrmEliminate>);
    editor.ImpostaImportazione(&Dialogo<TfrmImporta>);
}

void CollegaRiepilogo(TfrmMenuRiepPagamenti &criteri)
{
    criteri.ImpostaAnalisi(
        [](QWidget *genitore, const CriteriRiepilogo &c) -> QDialog * { return new TfrmAnalisiSpese(c, genitore); },
        [](QWidget *genitore, int anno) -> QDialog * { return new TfrmSpeseDichiarazione(anno, genitore); });
}

void DistruggiSchermate()
{
    Schermate &s = Schermate::Globali();
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

} // namespace Programma
