#pragma once
// The archive "Operazioni_Pagamenti.pro": records one after another, no
// header. Opened for one user action and closed at its end; an existing file
// is never truncated or re-created. Every failure throws ErroreArchivio.

#include "register/Scheda.h"

#include <QFile>
#include <QString>
#include <functional>
#include <stdexcept>

class ErroreArchivio : public std::runtime_error {
public:
    explicit ErroreArchivio(const QString &dettaglio);
};

class Archivio {
public:
    static QString NomeFile();                              // "Operazioni_Pagamenti.pro"
    static QString Percorso(const QString &cartella);       // cartella + NomeFile()

    explicit Archivio(QString percorso);
    ~Archivio();                                            // closes unchecked if still open
    Archivio(const Archivio &) = delete;
    Archivio &operator=(const Archivio &) = delete;

    // Opens the existing file for reading and writing; a missing file is
    // created empty. The position is record 0.
    void ApriArchivio();
    // Whole records in the file; a trailing partial record does not count.
    qint64 NumeroSchede() const;
    qint64 Posizione() const { return m_posizione; }
    bool AllaFine() const { return m_posizione >= NumeroSchede(); }
    TScheda LeggiScheda(qint64 indice);
    // Writes over record indice, or appends when indice == NumeroSchede().
    // The bytes are flushed to the file before it returns.
    void ScriviScheda(qint64 indice, const TScheda &s);
    // Appends the record after the last whole one and returns its index. The
    // count and the write happen under an exclusive advisory lock on the file,
    // so programs appending at the same moment never write over each other.
    qint64 AccodaScheda(const TScheda &s);
    // Checked close: a failure to flush, sync (after a write) or close throws.
    void Chiudi();

private:
    QString m_percorso;
    QFile m_file;
    qint64 m_posizione = 0;
    bool m_scritto = false;
};

// Reads every record in file order, index from 0, in large blocks. The visitor
// returns false to stop early. Opens and closes the archive itself (creating
// a missing one empty, like ApriArchivio).
void ScorriArchivio(const QString &percorso,
                    const std::function<bool(const TScheda &, qint64 indice)> &visita);
