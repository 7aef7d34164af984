#pragma once
// The archive "Operazioni_Pagamenti.pro": records one after another, no
// header. Opened for one user action and closed at its end; an existing file
// is never truncated or re-created. Every failure throws ErroreArchivio.
//
// A record rewritten in place goes through a rollback journal beside the
// archive ("Operazioni_Pagamenti.pro-diario"): the old bytes are synced there
// first and the journal is removed once the new bytes are synced. A journal
// found on opening means a rewrite never finished: when it is whole (its
// checksum holds) and belongs to the archive (same size, the index inside it),
// the old record is put back whatever the record holds now, since a power
// loss can leave a zeroed sector or garbage there. A journal that is not
// whole or not this archive's is moved aside ("-diario-estraneo"), never
// deleted, and the open reports it once (DiarioMessoDaParte).

#include "register/Scheda.h"

#include <QDate>
#include <QFile>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <stdexcept>

class ErroreArchivio : public std::runtime_error {
public:
    // errore: the errno of the failed call (0 when none); necessari: the bytes
    // the operation needed, for a full disk.
    explicit ErroreArchivio(const QString &dettaglio, int errore = 0, qint64 necessari = 0);
    int Errore() const { return m_errore; }
    qint64 Necessari() const { return m_necessari; }

private:
    int m_errore;
    qint64 m_necessari;
};

// Another program kept the archive locked for longer than the wait allowed;
// nothing was written.
class ArchivioOccupato : public ErroreArchivio {
public:
    using ErroreArchivio::ErroreArchivio;
};

// The bytes reached the file, but a flush, sync or close after them failed:
// the change is not confirmed on disk.
class ErroreConferma : public ErroreArchivio {
public:
    using ErroreArchivio::ErroreArchivio;
};

// The record in the file is no longer the one the caller loaded: another copy
// of the program (or a restored copy of the archive) changed it meanwhile.
// Nothing was written. attuale is the record as the file holds it now, or
// nothing when the archive no longer reaches that index.
class SchedaCambiata : public ErroreArchivio {
public:
    SchedaCambiata(qint64 indice, std::optional<TScheda> attuale);
    qint64 indice;
    std::optional<TScheda> attuale;
};

class Archivio {
public:
    static QString NomeFile();                              // "Operazioni_Pagamenti.pro"
    // What every screen tells the user when the archive cannot be opened or read.
    static QString MessaggioInaccessibile();
    static QString Percorso(const QString &cartella);       // cartella + NomeFile()
    static QString PercorsoDiario(const QString &percorsoArchivio);
    // How long a change waits for another program's lock before it gives up.
    static constexpr int AttesaBloccoMs = 3000;

    explicit Archivio(QString percorso);
    ~Archivio();                                            // closes unchecked if still open
    Archivio(const Archivio &) = delete;
    Archivio &operator=(const Archivio &) = delete;

    // Opens the existing file for reading and writing; a missing file is
    // created empty. A journal left by an unfinished rewrite is rolled back
    // first. The position is record 0.
    void ApriArchivio();
    // Whole records in the file; a trailing partial record does not count.
    qint64 NumeroSchede() const;
    qint64 Posizione() const { return m_posizione; }
    bool AllaFine() const { return m_posizione >= NumeroSchede(); }
    TScheda LeggiScheda(qint64 indice);
    // Writes over record indice under the journal, synced before it returns,
    // or appends when indice == NumeroSchede() (synced by Chiudi).
    void ScriviScheda(qint64 indice, const TScheda &s);
    // Rewrites record indice as ScriviScheda does, but only if the file still
    // holds there exactly the bytes the caller loaded (caricata), compared
    // under the lock that the rewrite keeps: throws SchedaCambiata otherwise.
    void ScriviSchedaSeInvariata(qint64 indice, const TScheda &caricata, const TScheda &s);
    // Throws SchedaCambiata unless record indice holds exactly the bytes of
    // caricata. Call it with the archive's exclusive lock held, as
    // ScriviSchedaSeInvariata does, so that the answer still holds when the
    // caller changes the record.
    void ControllaSchedaInvariata(qint64 indice, const TScheda &caricata) const;
    // Appends the record after the last whole one and returns its index.
    qint64 AccodaScheda(const TScheda &s);
    // Checked close: a failure to flush, sync (after an append) or close
    // throws, ErroreConferma when bytes were written.
    void Chiudi();

    // Runs a change of the whole file (removing or restoring records) on the
    // open archive's descriptor with the exclusive lock that saves take held,
    // after an unfinished rewrite is rolled back and the day's copy made.
    void Modifica(const std::function<void(int fd)> &lavoro);

    // Before its first change, copy the archive as the day's copy into the
    // folder (see CopieGiornaliere). A failed copy never stops the change.
    void ImpostaCopieGiornaliere(const QString &cartella, QDate oggi);
    // Why the day's copy failed; empty when it was made, not needed or not asked.
    QString ErroreCopia() const { return m_erroreCopia; }
    // The errno of the failed copy and the bytes it needed (full disk).
    int CodiceErroreCopia() const { return m_codiceCopia; }
    qint64 NecessariCopia() const { return m_necessariCopia; }
    // Copies whose name carries a date after today, found when the day's copy was made.
    QStringList CopieFuture() const { return m_copieFuture; }
    // Where a journal that did not belong was moved on this open; empty if none.
    QString DiarioMessoDaParte() const { return m_diarioDaParte; }
    static QString PercorsoDiarioEstraneo(const QString &percorsoArchivio);

private:
    // Both run with the exclusive lock held.
    void PreparaModifica();
    void Riscrivi(qint64 indice, const TScheda &s);
    void ScriviInCoda(qint64 indice, const TScheda &s);
    // Puts back the record a journal holds, if the journal belongs to this
    // archive, then removes the journal. Lock held.
    void RecuperaDiario();
    bool DiarioPresente() const;
    // Moves a journal that is not this archive's to PercorsoDiarioEstraneo.
    void MettiDaParte(const QByteArray &nome);

    QString m_percorso;
    QFile m_file;
    qint64 m_posizione = 0;
    bool m_scritto = false;
    QString m_cartellaCopie;
    QDate m_oggi;
    bool m_copiaTentata = false;
    QString m_erroreCopia;
    int m_codiceCopia = 0;
    qint64 m_necessariCopia = 0;
    QStringList m_copieFuture;
    QString m_diarioDaParte;
};

// Reads every record in file order, index from 0, in large blocks. The visitor
// returns false to stop early. Opens and closes the archive itself (creating
// a missing one empty, like ApriArchivio).
void ScorriArchivio(const QString &percorso,
                    const std::function<bool(const TScheda &, qint64 indice)> &visita);

// The same reading handed over a block of consecutive records at a time
// (`primo` the index of schede[0]): a scan that looks at every record then
// pays no call per record. The visitor returns false to stop early.
void ScorriArchivioABlocchi(const QString &percorso,
                            const std::function<bool(const TScheda *schede, qint64 quante, qint64 primo)> &visita);

// The same reading with the file in two halves read at once, the first in the
// calling thread and the second in a thread of its own, where there is a
// second core and each half has at least SchedePerParte() records: the copy
// out of the system's cache, which sets the pace of a scan, then takes about
// half as long. visita(parte, schede, quante, primo) sees the blocks of each
// part (0 or 1) in file order, the two parts side by side, so it may touch
// only that part's state: a scan keeps a result per part and joins them in
// part order. Returns how many parts there were. An ErroreArchivio of either
// part is thrown once both have ended. A scan whose second part costs more
// to start (fresh memory of its own) asks for `fattore` times as many records
// per half. prepara(totale), where given, learns before any block how many
// records the reading covers, so that a scan may set aside a place for each.
int ScorriArchivioInParti(
    const QString &percorso,
    const std::function<void(int parte, const TScheda *schede, qint64 quante, qint64 primo)> &visita,
    int fattore = 1, const std::function<void(qint64 totale)> &prepara = {});
// Below this many records for each half, one part: a thread would not pay.
qint64 SchedePerParte();
// Tests set a small one, so that small archives are read in two parts.
void ImpostaSchedePerParte(qint64 schede);
