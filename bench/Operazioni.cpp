#include "Operazioni.h"
#include "analysis/Analisi.h"
#include "analysis/Dichiarazione.h"

#include "charts/TotaliMensili.h"
#include "imports/Estratto.h"
#include "imports/Importazione.h"
#include "imports/Mappatura.h"
#include "lists/ListaRighe.h"
#include "lists/RicercaSchede.h"
#include "output/DocumentoExcel.h"
#include "output/ModelloRegistro.h"
#include "register/Archivio.h"
#include "register/Suggerimenti.h"
#include "summary/Riepilogo.h"

#include <QDate>
#include <QElapsedTimer>

#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace Operazioni {

namespace {

// The whole file into one page-aligned buffer, block after block: a copy into
// a buffer that starts off a page boundary is several times slower here, and
// would make every ratio look better than it is.
qint64 LetturaGrezza(const QString &percorso)
{
    const int fd = ::open(QFile::encodeName(percorso).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    constexpr size_t kBlocco = 1 << 20;
    void *memoria = nullptr;
    if (posix_memalign(&memoria, 4096, kBlocco) != 0) {
        ::close(fd);
        return -1;
    }
    char *const buffer = static_cast<char *>(memoria);
    qint64 totale = 0, somma = 0;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, kBlocco);
        if (n <= 0)
            break;
        totale += n;
        somma += buffer[0];
    }
    std::free(memoria);
    ::close(fd);
    return totale + (somma & 1);
}

qint64 LeggiTutte(const QString &percorso)
{
    qint64 caratteri = 0;
    ScorriArchivioABlocchi(percorso, [&](const TScheda *schede, qint64 quante, qint64) {
        for (qint64 k = 0; k < quante; ++k)
            caratteri += schede[k].Lunghezza(Campo::Fornitore);
        return true;
    });
    return caratteri;
}

qint64 UltimaScheda(const QString &percorso)
{
    Archivio a(percorso);
    a.ApriArchivio();
    const TScheda s = a.LeggiScheda(a.NumeroSchede() - 1);
    a.Chiudi();
    return s.Testo(Campo::Fornitore).size();
}

// The values the editor offers while typing, read as the editor reads them
// (slice after slice), then one offer as a keystroke asks it.
qint64 ValoriOfferti(const QString &percorso)
{
    LetturaSuggerimenti lettura(percorso);
    while (!lettura.Passo(std::chrono::milliseconds(8))) {
    }
    const std::unique_ptr<Suggerimenti> valori = lettura.Prendi();
    return valori->Offerti(Campo::Fornitore, QStringLiteral("e")).size()
           + valori->Offerti(Campo::Codice, QString()).size();
}

// A result list as the screens fill it: the scan, then the model of the view.
qint64 Lista(RigheScheda righe)
{
    ModelloRighe modello;
    modello.Imposta(std::move(righe));
    return modello.rowCount();
}

qint64 CercaTutto(const QString &percorso) { return Lista(CercaSchede(percorso, {})); }

qint64 CercaTreCriteri(const QString &percorso)
{
    return Lista(CercaSchede(percorso, {{Campo::Fornitore, QStringLiteral("spa")},
                                        {Campo::Servizi, QStringLiteral("fornitura")},
                                        {Campo::Data, QStringLiteral("/20")}}));
}

qint64 Sospese(const QString &percorso) { return Lista(ContiDaSaldare(percorso)); }

qint64 Riepilogo(const QString &percorso, QDate inizio, QDate fine)
{
    CriteriRiepilogo c;
    c.inizio = inizio;
    c.fine = fine;
    return Lista(CostruisciRiepilogo(percorso, c).righe);
}

qint64 RiepilogoAnno(const QString &percorso)
{
    return Riepilogo(percorso, QDate(2015, 1, 1), QDate(2015, 12, 31));
}

qint64 RiepilogoVentAnni(const QString &percorso)
{
    return Riepilogo(percorso, QDate(2005, 1, 1), QDate(2024, 12, 31));
}

// The analysis of a year by type against the year before (one pass), and
// the year's list for the tax return (one pass each).
qint64 AnalisiAnno(const QString &percorso)
{
    const AnalisiSpese a = AnalizzaSpese(percorso, {QString(), QString(), QDate(2015, 1, 1), QDate(2015, 12, 31)},
                                         Raggruppamento::Beneficiario);
    return a.totale.schede + a.totalePrecedente.schede + a.gruppi.size();
}

qint64 DichiarazioneAnno(const QString &percorso)
{
    // The types the generator gives medical and school expenses.
    static const QStringList tipi = {QStringLiteral("Salute"), QStringLiteral("Visite mediche"),
                                     QStringLiteral("Istruzione")};
    return ElencaPerDichiarazione(percorso, 2015, tipi).voci.size();
}

qint64 Totali(const QString &percorso)
{
    const Totali12 t = TotaliMensili(percorso, QStringLiteral("2015"));
    return qint64(t[0] + t[11]);
}

qint64 Griglia(const QString &percorso)
{
    ModelloRegistro m;
    m.Carica(percorso);
    return m.NumeroRighe();
}

// A statement of 10,000 payments as Italian home banking writes it (an
// account heading, debit and credit columns), made beside the archive by the
// first run, whose time the best of the runs leaves out.
QString Estratto10000(const QString &percorso)
{
    const QString csv = percorso + QStringLiteral(".estratto.csv");
    if (QFileInfo::exists(csv))
        return csv;
    static const char *const kCausali[] = {"ADDEBITO SDD ENEL ENERGIA SPA - Bolletta luce",
                                           "PAGAMENTO POS FARMACIA SAN ROCCO",
                                           "BONIFICO A FAVORE DI Condominio Via Roma - rata",
                                           "PAGAMENTO POS ESSELUNGA S.P.A.", "ADDEBITO SDD TIM SPA - fattura"};
    QByteArray t = "Banca di Esempio\nEstratto conto;;;;\n\nData operazione;Data valuta;Descrizione;Addebiti;Accrediti\n";
    const QDate inizio(2015, 1, 1);
    for (int i = 0; i < 10000; ++i) {
        const QByteArray data = inizio.addDays(i / 8).toString(QStringLiteral("dd/MM/yyyy")).toLatin1();
        const int centesimi = 500 + (i * 7919) % 150000;
        const QByteArray importo = QByteArray::number(centesimi / 100) + ',' + QByteArray::number(centesimi % 100).rightJustified(2, '0');
        t += data + ';' + data + ';' + kCausali[i % 5] + ' ' + QByteArray::number(i) + ';';
        t += i % 10 == 9 ? ';' + importo : importo + ';';
        t += '\n';
    }
    QFile f(csv);
    if (f.open(QIODevice::WriteOnly))
        f.write(t);
    return csv;
}

// What the import screen does before it shows its preview: the file read and
// detected, the mapping proposed and applied, the archive scanned for the
// duplicates among the statement's amounts and the last codes of each payee,
// the lines matched.
qint64 Importazione(const QString &percorso)
{
    QFile f(Estratto10000(percorso));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const Estratto::Tabella t = Estratto::Leggi(f.readAll());
    const Interpretazione i = MappaturaEstratto::Interpreta(t, MappaturaEstratto::Proponi(t));
    const auto indice = Importazione::IndiceArchivio::Carica(percorso, Importazione::ImportiUscite(i.movimenti));
    const QList<Importazione::Riga> righe =
        Importazione::Anteprima(i.movimenti, indice, Importazione::TolleranzaPredefinita);
    return righe.size() == 10000 ? righe.size() : -1;
}

qint64 Esportazione(const QString &percorso)
{
    ModelloRegistro m;
    m.Carica(percorso);
    const bool scritto = DocumentoExcel::ScriviFile(percorso + QStringLiteral(".xls"), m.NumeroRighe(),
                                                    [&m](std::string &d, qint64 r) {
                                                        m.AggiungiRigaEsportata(d, r);
                                                    });
    return scritto ? m.NumeroRighe() : -1;
}

} // namespace

const QList<Operazione> &Tutte()
{
    static const QList<Operazione> tutte = {
        {QStringLiteral("grezza"), QStringLiteral("lettura grezza allineata"), LetturaGrezza},
        {QStringLiteral("scansione"), QStringLiteral("apri, conta e leggi ogni scheda"), LeggiTutte},
        {QStringLiteral("ultima"), QStringLiteral("editor: ultima scheda"), UltimaScheda},
        {QStringLiteral("valori"), QStringLiteral("editor: valori proposti mentre si scrive"), ValoriOfferti},
        {QStringLiteral("ricerca"), QStringLiteral("ricerca senza criteri (tutte le schede)"), CercaTutto},
        {QStringLiteral("ricerca3"), QStringLiteral("ricerca con tre criteri"), CercaTreCriteri},
        {QStringLiteral("sospese"), QStringLiteral("conti da saldare"), Sospese},
        {QStringLiteral("riepilogo1"), QStringLiteral("riepilogo di un anno"), RiepilogoAnno},
        {QStringLiteral("riepilogo20"), QStringLiteral("riepilogo di vent'anni"), RiepilogoVentAnni},
        {QStringLiteral("totali"), QStringLiteral("totali mensili di un anno"), Totali},
        {QStringLiteral("analisi"), QStringLiteral("analisi spese di un anno e dell'anno prima"), AnalisiAnno},
        {QStringLiteral("dichiarazione"), QStringLiteral("spese per la dichiarazione di un anno"), DichiarazioneAnno},
        {QStringLiteral("griglia"), QStringLiteral("esportazione: riempimento griglia"), Griglia},
        {QStringLiteral("esporta"), QStringLiteral("esportazione: griglia e file"), Esportazione},
        {QStringLiteral("importazione"), QStringLiteral("importazione: anteprima di 10.000 movimenti (entro 1000 ms)"), Importazione},
    };
    return tutte;
}

const Operazione *Trova(const QString &nome)
{
    for (const Operazione &o : Tutte())
        if (o.nome == nome)
            return &o;
    return nullptr;
}

void PreparaSchermate()
{
    const ModelloRighe modello;
    (void)modello.rowCount();
}

std::array<Risposta, 3> RispostaLista(const QString &percorso)
{
    ModelloRighe modello;
    modello.Imposta(CercaSchede(percorso, {}));
    const int n = modello.rowCount();
    std::array<Risposta, 3> r{};
    if (n == 0)
        return r;
    const std::array<int, 3> righe = {0, n / 2, n - 1};
    qint64 caratteri = 0;
    for (size_t k = 0; k < righe.size(); ++k) {
        const QModelIndex i = modello.index(righe[k], 0);
        r[k].riga = righe[k];
        QElapsedTimer t;
        t.start();
        caratteri += modello.data(i, Qt::DisplayRole).toString().size();
        r[k].primaUs = double(t.nsecsElapsed()) / 1e3;
        // The answer a view gets while scrolling: the same line asked again.
        constexpr int kVolte = 1000;
        t.restart();
        for (int v = 0; v < kVolte; ++v)
            caratteri += modello.data(i, Qt::DisplayRole).toString().size();
        r[k].mediaUs = double(t.nsecsElapsed()) / 1e3 / kVolte;
    }
    r[0].caratteri = caratteri;
    return r;
}

namespace {

double RssMb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> parti = f.readAll().split(' ');
    return parti.size() > 1 ? double(parti[1].toLongLong()) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0)
                            : -1;
}

} // namespace

MemoriaLista MemoriaDellaLista(const QString &percorso)
{
    MemoriaLista m;
    ModelloRighe modello;
    m.primaMb = RssMb();
    modello.Imposta(CercaSchede(percorso, {}));
    m.righe = modello.rowCount();
    m.pienaMb = RssMb();
    // What the screens do when the list closes.
    modello.Svuota();
    m.chiusaMb = RssMb();
    return m;
}

} // namespace Operazioni
