// Developer tool: shows every screen and dialog one at a time on the current
// display, over a small sample archive, and saves a picture of the whole
// screen for each, for scripts/screenshots.sh.
//   fotografa_schermate <folder> <suffix> [scuro]
// With "scuro" the program starts under a dark desktop palette, as a dark
// desktop theme would hand it, to show how the screens stand up to one.
// Nothing waits for a person: messages are printed, each dialog is pictured
// and closed, and the program folder is a temporary one.

#include "Programma.h"
#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Applicazione.h"
#include "app/Avvio.h"
#include "charts/Statistiche.h"
#include "register/Archivio.h"
#include "imports/Importa.h"
#include "register/RegPagamenti.h"
#include "register/SchedeEliminate.h"
#include "register/Scheda.h"
#include "platform/Desktop.h"
#include "platform/Schermate.h"
#include "summary/MenuRiepPagamenti.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdio>
#include <functional>

namespace {

void Attendi(QWidget *w)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 3000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        if (w->windowHandle() && w->windowHandle()->isExposed() && t.elapsed() > 400)
            break;
    }
    QApplication::processEvents();
}

class Fotografo {
public:
    Fotografo(const QString &cartella, const QString &suffisso) : m_cartella(cartella), m_suffisso(suffisso) {}

    void operator()(QWidget *w, const QString &nome)
    {
        Attendi(w);
        QScreen *schermo = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
        const QPixmap foto = schermo->grabWindow(0);
        const QString file = m_cartella.filePath(QStringLiteral("%1-%2.png").arg(nome, m_suffisso));
        const bool ok = !foto.isNull() && foto.save(file);
        std::printf("%s %s\n", ok ? "salvata" : "NON salvata", qPrintable(file));
        m_errori += ok ? 0 : 1;
    }
    int Errori() const { return m_errori; }

private:
    QDir m_cartella;
    QString m_suffisso;
    int m_errori = 0;
};

// The real desktop, except that nothing waits for a person: each dialog is
// shown, pictured, handed to what the tool wants done inside it, and closed.
class DesktopSenzaAttese : public DesktopReale {
public:
    explicit DesktopSenzaAttese(Fotografo &foto) : m_foto(foto) {}

    // What to do inside the next dialog of the class, after its picture.
    QHash<QString, std::function<void(QDialog *)>> dentro;

    void Messaggio(Tipo, const QString &testo, QWidget *) override { Stampa("messaggio", testo); }
    bool Domanda(const QString &testo, QWidget *) override
    {
        Stampa("domanda", testo);
        return false;
    }
    Scelta DomandaConAnnulla(const QString &testo, QWidget *) override
    {
        Stampa("domanda", testo);
        return Scelta::No;
    }
    void MessaggioSemplice(const QString &testo, QWidget *) override { Stampa("messaggio", testo); }
    std::optional<QString> InputBox(const QString &, const QString &richiesta, const QString &,
                                    QWidget *) override
    {
        Stampa("input", richiesta);
        return std::nullopt;
    }
    QString ApriFile(const QString &titolo, const QString &, QWidget *) override
    {
        Stampa("file", titolo);
        return QString();
    }
    int MostraModale(QDialog *d) override
    {
        const QString classe = QString::fromLatin1(d->metaObject()->className());
        d->show();
        d->raise();
        d->activateWindow();
        m_foto(d, classe.mid(4).toLower());
        if (const auto azione = dentro.take(classe))
            azione(d);
        d->hide();
        return QDialog::Rejected;
    }
    bool DialogoStampa(QPrinter &, QWidget *) override { return false; }
    void ApriUrl(const QUrl &url) override { Stampa("apri", url.toString()); }
    QString CartellaProgramma() const override { return m_cartella.path(); }

private:
    static void Stampa(const char *genere, const QString &testo)
    {
        std::fprintf(stderr, "[%s] %s\n", genere, qPrintable(testo));
    }
    Fotografo &m_foto;
    QTemporaryDir m_cartella;
};

// A few payments of the current year, the last one settled.
void ScriviArchivio(const QString &percorso, int anno)
{
    struct Voce {
        const char *fornitore, *data, *codice, *servizi, *dovuto, *daSaldare;
    };
    const Voce voci[] = {
        {"Idraulico Rossi", "12/01", "CASA", "Riparazione caldaia", "180,00", "Sì"},
        {"Enel Energia", "03/02", "LUCE", "Bolletta luce", "96,40", "No"},
        {"Acqua Blu", "15/03", "ACQUA", "Bolletta acqua", "48,50", "Sì"},
        {"Ferramenta Bianchi", "22/03", "CASA", "Viti e tasselli", "23,90", "No"},
        {"Gas Nord", "05/05", "GAS", "Bolletta gas", "132,10", "No"},
    };
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    for (const Voce &v : voci) {
        TScheda s;
        const QString data = QString::fromUtf8(v.data) + u'/' + QString::number(anno);
        s.ImpostaTesto(Campo::NumDoc, QStringLiteral("FT-") + QString::fromUtf8(v.data).remove(u'/'));
        s.ImpostaTesto(Campo::DataDoc, data);
        s.ImpostaTesto(Campo::Fornitore, QString::fromUtf8(v.fornitore));
        s.ImpostaTesto(Campo::Data, data);
        s.ImpostaTesto(Campo::Codice, QString::fromUtf8(v.codice));
        s.ImpostaTesto(Campo::Servizi, QString::fromUtf8(v.servizi));
        s.ImpostaTesto(Campo::Dovuto, QString::fromUtf8(v.dovuto));
        s.ImpostaTesto(Campo::Acconto, QStringLiteral("0,00"));
        s.ImpostaTesto(Campo::Saldo, QString::fromUtf8(v.dovuto));
        s.ImpostaTesto(Campo::DaSaldare, QString::fromUtf8(v.daSaldare));
        f.write(s.byte.data(), TScheda::Dimensione);
    }
    // Payments for the analysis by type and the list for the tax return, paid in full.
    struct Detraibile {
        const char *fornitore, *codFisc, *data, *codice, *servizi, *tipologia, *dovuto;
    };
    const Detraibile detraibili[] = {
        {"Farmacia Centrale", "RSSMRA80A01H501U", "10/02", "FARM", "Farmaci", "Spese sanitarie", "24,80"},
        {"Studio Dentistico Neri", "", "18/03", "DENT", "Pulizia denti", "Spese sanitarie", "90,00"},
        {"Scuola Media Verdi", "12345670157", "20/03", "SCUOLA", "Mensa scolastica", "Istruzione", "65,00"},
        {"Clinica Veterinaria", "12345670158", "02/04", "VET", "Visita del gatto", "Spese veterinarie", "55,00"},
    };
    for (const Detraibile &v : detraibili) {
        TScheda s;
        const QString data = QString::fromUtf8(v.data) + u'/' + QString::number(anno);
        s.ImpostaTesto(Campo::NumDoc, QStringLiteral("RIC-") + QString::fromUtf8(v.data).remove(u'/'));
        s.ImpostaTesto(Campo::DataDoc, data);
        s.ImpostaTesto(Campo::Fornitore, QString::fromUtf8(v.fornitore));
        s.ImpostaTesto(Campo::CodFisc, QString::fromUtf8(v.codFisc));
        s.ImpostaTesto(Campo::Data, data);
        s.ImpostaTesto(Campo::Codice, QString::fromUtf8(v.codice));
        s.ImpostaTesto(Campo::Servizi, QString::fromUtf8(v.servizi));
        s.ImpostaTesto(Campo::Tipologia, QString::fromUtf8(v.tipologia));
        s.ImpostaTesto(Campo::Dovuto, QString::fromUtf8(v.dovuto));
        s.ImpostaTesto(Campo::Acconto, QString::fromUtf8(v.dovuto));
        s.ImpostaTesto(Campo::Saldo, QStringLiteral("0,00"));
        s.ImpostaTesto(Campo::DaSaldare, QStringLiteral("No"));
        f.write(s.byte.data(), TScheda::Dimensione);
    }
}

// What a dark desktop theme hands a program.
QPalette TavolozzaScura()
{
    QPalette p;
    const QColor finestra(0x2B, 0x2B, 0x2B), base(0x1E, 0x1E, 0x1E), testo(0xE8, 0xE8, 0xE8);
    p.setColor(QPalette::Window, finestra);
    p.setColor(QPalette::WindowText, testo);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, finestra);
    p.setColor(QPalette::Text, testo);
    p.setColor(QPalette::Button, QColor(0x3A, 0x3A, 0x3A));
    p.setColor(QPalette::ButtonText, testo);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, testo);
    p.setColor(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x90));
    p.setColor(QPalette::Highlight, QColor(0x3D, 0xAE, 0xE9));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    p.setColor(QPalette::Midlight, QColor(0x40, 0x40, 0x40));
    p.setColor(QPalette::Mid, QColor(0x30, 0x30, 0x30));
    p.setColor(QPalette::Dark, QColor(0x18, 0x18, 0x18));
    p.setColor(QPalette::Shadow, Qt::black);
    return p;
}

// Work screens fill the screen as if maximised (Xvfb has no window manager).
// Placed after showing, as a window manager does, so that a screen fitted to
// a scaled desktop as it is shown gets the screen's size.
void MostraAPienoSchermo(QWidget *w)
{
    w->show();
    w->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    w->raise();
    w->activateWindow();
}

template <typename T>
T *Controllo(QWidget *radice, const char *nome)
{
    return radice->findChild<T *>(QLatin1String(nome));
}

void Clicca(QWidget *radice, const char *nome)
{
    if (auto *b = Controllo<QAbstractButton>(radice, nome))
        b->click();
    else
        std::fprintf(stderr, "manca %s\n", nome);
}

void Scrivi(QWidget *radice, const char *nome, const QString &testo)
{
    if (auto *e = Controllo<QLineEdit>(radice, nome))
        e->setText(testo);
}

void Scegli(QWidget *radice, const char *nome, const QString &voce)
{
    if (auto *c = Controllo<QComboBox>(radice, nome))
        c->setCurrentIndex(c->findText(voce));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 3 || argc > 4 || (argc == 4 && qstrcmp(argv[3], "scuro") != 0)) {
        std::fprintf(stderr, "uso: fotografa_schermate <cartella> <suffisso> [scuro]\n");
        return 2;
    }
    if (argc == 4)
        QApplication::setPalette(TavolozzaScura());
    Applicazione::Prepara(app);

    Fotografo foto(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    DesktopSenzaAttese desktop(foto);
    Desktop::Installa(&desktop);
    const int anno = desktop.Oggi().year();
    ScriviArchivio(Archivio::Percorso(desktop.CartellaProgramma()), anno);

    // One record removed: the day's copy is made and the removed list has a line.
    {
        Archivio a(Archivio::Percorso(desktop.CartellaProgramma()));
        a.ApriArchivio();
        const TScheda prima = a.LeggiScheda(0);
        a.Chiudi();
        SchedeEliminate::Elimina(desktop.CartellaProgramma(), 0, prima, desktop.Oggi());
    }

    Programma::CreaSchermate();
    Schermate &s = Schermate::Globali();

    // Access and password change, centred as they are shown.
    s.frmPassword->show();
    foto(s.frmPassword, QStringLiteral("accesso"));
    s.frmPassword->hide();
    s.frmCambiaPassword->show();
    foto(s.frmCambiaPassword, QStringLiteral("cambiapassword"));
    s.frmCambiaPassword->hide();

    // The start menu and its three dialogs.
    MostraAPienoSchermo(s.frmAvvio);
    foto(s.frmAvvio, QStringLiteral("menu"));
    for (const char *comando : {"imgInfo", "imgCredits", "imgGuida", "imgCopie"})
        Clicca(s.frmAvvio, comando);
    s.frmAvvio->hide();

    // The register editor on the last record, and every dialog it opens.
    auto *editor = qobject_cast<TfrmRegPagamenti *>(s.frmRegPagamenti);
    MostraAPienoSchermo(editor);
    Clicca(editor, "cmdUltimo");
    foto(editor, QStringLiteral("registro"));
    desktop.dentro.insert(QStringLiteral("TfrmTrovaRegPagamenti"), [&](QDialog *d) {
        Scrivi(d, "txtFornitore", QStringLiteral("a"));
        Clicca(d, "btnCerca");
        foto(d, QStringLiteral("trovaregpagamenti-risultati"));
    });
    desktop.dentro.insert(QStringLiteral("TfrmImporta"), [&](QDialog *d) {
        // A statement of the kind a home banking site gives, read into the preview.
        QTemporaryDir cartella;
        QFile f(QDir(cartella.path()).filePath(QStringLiteral("estratto.csv")));
        if (!f.open(QIODevice::WriteOnly))
            return;
        f.write("Banca di esempio\nConto corrente 1000/123;;;;\n\n"
                "Data operazione;Data valuta;Descrizione;Addebiti;Accrediti\n"
                "05/03/2024;06/03/2024;ADDEBITO SDD ENEL ENERGIA SPA - Bolletta luce;85,40;\n"
                "07/03/2024;07/03/2024;BONIFICO A FAVORE DI Condominio Via Roma - rata 2;1.250,00;\n"
                "08/03/2024;08/03/2024;STIPENDIO MARZO;;2.100,00\n"
                "08/03/2024;08/03/2024;STIPENDIO MARZO;;2.100,00;;\n"
                "12/03/2024;12/03/2024;PAGAMENTO POS FARMACIA CENTRALE;23,90;\n"
                "12/03/2024;12/03/2024;PAGAMENTO POS FARMACIA CENTRALE;23,90;\n");
        f.close();
        if (auto *importa = qobject_cast<TfrmImporta *>(d))
            importa->ApriFile(f.fileName());
        foto(d, QStringLiteral("importa-anteprima"));
    });
    for (const char *comando : {"cmdTrova", "cmdListino", "cmdEliminate", "cmdFile", "cmdStampa", "cmdEsporta",
                                "cmdImporta"})
        Clicca(editor, comando);
    Scrivi(editor, "txtCodFisc", QStringLiteral("RSSMRA80A01H501U"));
    Clicca(editor, "btnCodFisc");
    Scrivi(editor, "txtCodFisc", QStringLiteral("01234567890"));
    Clicca(editor, "btnCodFisc");
    if (auto *data = Controllo<QLineEdit>(editor, "txtData")) {
        data->setFocus();
        QKeyEvent tasto(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(data, &tasto);
    }
    editor->hide();

    // The summary criteria for March, and the statement.
    auto *criteri = qobject_cast<TfrmMenuRiepPagamenti *>(s.frmMenuRiepPagamenti);
    MostraAPienoSchermo(criteri);
    Scegli(criteri, "txtGiornoInizio", QStringLiteral("01"));
    Scegli(criteri, "txtMeseInizio", QStringLiteral("Gennaio"));
    Scegli(criteri, "txtGiornoFine", QStringLiteral("31"));
    Scegli(criteri, "txtMeseFine", QStringLiteral("Dicembre"));
    foto(criteri, QStringLiteral("riepilogo"));
    Clicca(criteri, "btnVisualizza");
    // The analysis of the same interval and its chart; the list for the return.
    desktop.dentro.insert(QStringLiteral("TfrmAnalisiSpese"), [&foto](QDialog *d) {
        Clicca(d, "btnGrafico");
        foto(d, QStringLiteral("analisispese-grafico"));
    });
    Clicca(criteri, "btnAnalisi");
    desktop.dentro.insert(QStringLiteral("TfrmSpeseDichiarazione"), [&foto](QDialog *d) {
        Clicca(d, "btnElenca");
        foto(d, QStringLiteral("spesedichiarazione-elenco"));
    });
    Clicca(criteri, "btnDichiarazione");
    criteri->hide();

    // The charts: the year panel, then bars and pie of this year.
    auto *grafici = qobject_cast<TfrmStatistiche *>(s.frmStatistiche);
    MostraAPienoSchermo(grafici);
    foto(grafici, QStringLiteral("grafici-anno"));
    Clicca(grafici, "btnApri");
    foto(grafici, QStringLiteral("grafici-barre"));
    Clicca(grafici, "btnTorta");
    foto(grafici, QStringLiteral("grafici-torta"));
    Clicca(grafici, "btnBarre");
    grafici->hide();

    Programma::DistruggiSchermate();
    Desktop::Installa(nullptr);
    return foto.Errori() == 0 ? 0 : 1;
}
