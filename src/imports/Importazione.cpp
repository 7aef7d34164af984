#include "imports/Importazione.h"

#include "imports/Valori.h"
#include "platform/Archiviabile.h"
#include "platform/Avanzamento.h"
#include "platform/OperazioniFile.h"
#include "platform/Testo.h"
#include "register/Archivio.h"
#include "register/CopieGiornaliere.h"
#include "register/CopieSicurezza.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <sys/stat.h>

namespace Importazione {

namespace {

// The text as the field will hold it, and what happened on the way.
QString Archiviato(const QString &testo, ::Campo c, Riga &r)
{
    const Archiviabile::Esito e = Archiviabile::Rendi(testo);
    r.sostituiti += e.sostituiti;
    r.sostituiti += e.tolti;
    const QString archiviato = e.testo.trimmed();
    const int capacita = TScheda::Capacita(c);
    if (archiviato.size() > capacita) {
        r.tagliata = true;
        return archiviato.left(capacita).trimmed();
    }
    return archiviato;
}

} // namespace

QSet<qint64> ImportiUscite(const QList<Movimento> &movimenti)
{
    QSet<qint64> importi;
    for (const Movimento &m : movimenti)
        if (m.uscita)
            importi.insert(m.centesimi);
    return importi;
}

QList<Riga> Anteprima(const QList<Movimento> &movimenti, const IndiceArchivio &indice, int tolleranza)
{
    QList<Riga> righe;
    righe.reserve(movimenti.size());
    QHash<QString, int> viste; // date, amount, payee and description -> first line
    for (const Movimento &m : movimenti) {
        if (righe.size() % 1024 == 0)
            Avanzamento::Segnala(righe.size(), movimenti.size());
        Riga r;
        r.movimento = m;
        r.fornitore = Archiviato(m.beneficiario, ::Campo::Fornitore, r);
        r.servizi = Archiviato(m.descrizione, ::Campo::Servizi, r);
        r.sostituiti.removeDuplicates();
        const QString chiave = ChiaveFornitore(m.beneficiario);
        if (m.uscita) {
            r.codici = indice.UltimiCodici(m.beneficiario);
            r.doppione = indice.Doppione(m.centesimi, m.data, chiave, tolleranza);
            const QString firma = m.data.toString(Qt::ISODate) + u'|' + QString::number(m.centesimi) + u'|'
                                  + chiave + u'|' + m.descrizione;
            const auto vista = viste.constFind(firma);
            if (vista != viste.cend())
                r.lineaRipetuta = vista.value();
            else
                viste.insert(firma, m.linea);
        }
        r.spuntata = m.uscita && !r.Doppione();
        righe.append(r);
    }
    return righe;
}

TScheda Scheda(const Riga &r, const QString &codice, const QString &tipologia)
{
    const QString importo = ValoriEstratto::TestoImporto(r.movimento.centesimi);
    TScheda s;
    for (int c = 0; c < NumeroCampi; ++c)
        s.ImpostaTesto(::Campo(c), QString());
    s.ImpostaTesto(::Campo::Data, Testo::FormattaData(r.movimento.data));
    s.ImpostaTesto(::Campo::Fornitore, r.fornitore);
    s.ImpostaTesto(::Campo::Codice, Archiviabile::Rendi(codice).testo);
    s.ImpostaTesto(::Campo::Tipologia, Archiviabile::Rendi(tipologia).testo);
    s.ImpostaTesto(::Campo::Servizi, r.servizi);
    s.ImpostaTesto(::Campo::Dovuto, importo);
    s.ImpostaTesto(::Campo::Acconto, importo);
    s.ImpostaTesto(::Campo::Saldo, QStringLiteral("0,00"));
    s.ImpostaTesto(::Campo::DaSaldare, QStringLiteral("No"));
    return s;
}

Esito Scrivi(const QString &cartella, const QList<TScheda> &schede, qint64 attese, const QDateTime &adesso)
{
    using Stato = Esito::Stato;
    Esito esito;
    if (schede.isEmpty()) {
        esito.dettaglio = QStringLiteral("nessuna scheda da aggiungere");
        return esito;
    }
    constexpr qint64 R = TScheda::Dimensione;
    QByteArray blocco;
    blocco.reserve(schede.size() * R);
    for (const TScheda &s : schede)
        blocco.append(s.byte.data(), R);
    Archivio a(Archivio::Percorso(cartella));
    try {
        a.ImpostaCopieGiornaliere(CopieGiornaliere::Cartella(cartella), adesso.date());
        a.ApriArchivio();
        a.Modifica([&](int fd) {
            struct stat st;
            if (::fstat(fd, &st) != 0)
                throw ErroreArchivio(QStringLiteral("dimensione dell'archivio"), errno);
            const qint64 n = qint64(st.st_size) / R;
            if (n != attese)
                throw SchedaCambiata(n, std::nullopt);
            if (n > 0) {
                const QString nome = CopieSicurezza::NomeCopiaPrimaImportazione(adesso);
                CopieSicurezza::CopiaArchivio(fd, n * R, cartella, nome);
                esito.copia = nome;
            }
            // One write after the last whole record; a partial one is overwritten.
            OperazioniFile &io = OperazioniFile::Corrente();
            if (io.Scrivi(fd, blocco.constData(), blocco.size(), n * R) != blocco.size()) {
                const int errore = errno;
                // Part of the records may have reached the file: none stays.
                while (::ftruncate(fd, off_t(st.st_size)) != 0 && errno == EINTR) {
                }
                throw ErroreArchivio(QStringLiteral("scrittura: ") + QString::fromLocal8Bit(std::strerror(errore)),
                                     errore, blocco.size());
            }
            if (!io.Sincronizza(fd))
                throw ErroreConferma(QStringLiteral("sincronizzazione: ")
                                         + QString::fromLocal8Bit(std::strerror(errno)),
                                     errno, blocco.size());
            esito.prima = n + 1;
        });
        esito.erroreCopia = a.ErroreCopia();
        a.Chiudi();
        esito.aggiunte = schede.size();
        esito.stato = Stato::Riuscita;
    } catch (const ArchivioOccupato &) {
        esito.stato = Stato::Occupata;
    } catch (const SchedaCambiata &) {
        esito.stato = Stato::Cambiata;
    } catch (const ErroreConferma &e) {
        esito.stato = Stato::NonConfermata;
        esito.aggiunte = schede.size();
        esito.dettaglio = QString::fromLocal8Bit(e.what());
    } catch (const ErroreArchivio &e) {
        esito.stato = Stato::NonRiuscita;
        esito.dettaglio = QString::fromLocal8Bit(e.what());
    }
    if (esito.erroreCopia.isEmpty())
        esito.erroreCopia = a.ErroreCopia();
    return esito;
}

} // namespace Importazione
