#pragma once
// The export grid's contents: one row per record of the archive, column 0 the
// 1-based row number and columns 1 to 14 the record's fields, trimmed. Loaded
// in one pass over the archive; only the used bytes of each field are kept
// and decoded when a cell is asked for, so a large archive stays small in
// memory. A payee's fields, which come back on record after record, are kept
// once for the rows that repeat them. Cells the user edits in the grid are
// kept beside them.

#include "platform/Memoria.h"
#include "register/Scheda.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QHash>
#include <array>
#include <memory>
#include <string>
#include <vector>

class ModelloRegistro : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Colonna {
        const char *nome;        // objectName-style name, e.g. "colNumDoc"
        QString titolo;          // header text
        int larghezza;           // width in the grid, in pixels
        bool solaLettura;
        Campo campo;             // the record's field (unused for column 0)
    };
    static constexpr int NumeroColonne = 15;
    static const std::array<Colonna, NumeroColonne> &Colonne();

    explicit ModelloRegistro(QObject *parent = nullptr);

    // Replaces the contents with the records of the archive at the path (a
    // missing archive is created empty). A failure while reading ends the
    // load silently: the rows read so far stay. False after a failure.
    bool Carica(const QString &percorsoArchivio);

    qint64 NumeroRighe() const { return m_numeroRighe; }
    // What tells a record's payee fields apart from others a load met lately
    // (payee, tax code, product code, type, product, as stored): two records
    // it does not tell apart are told apart by their bytes.
    static quint32 ImprontaComuni(const TScheda &s);
    // The text the grid shows in the cell.
    QString Cella(qint64 riga, int colonna) const;
    // Appends the row's cells, typed, in column order, to the export document
    // as DocumentoExcel writes them; a cell not edited in the grid goes from
    // its stored bytes, which spares decoding every field of a large archive.
    void AggiungiRigaEsportata(std::string &documento, qint64 riga) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    static constexpr int kCampi = NumeroColonne - 1;
    // The payee, its tax code, the product's code, type and name: kept once
    // for the rows that repeat them all, the row's other fields row by row.
    static constexpr std::array<Campo, 5> kCampiComuni = {Campo::Fornitore, Campo::CodFisc, Campo::Codice,
                                                          Campo::Tipologia, Campo::Servizi};
    static constexpr int kComuni = int(kCampiComuni.size());
    // Whether field k of a row (its record's Campo(k), as the columns after
    // the first are) is one of them.
    static constexpr std::array<bool, kCampi> kComune = [] {
        std::array<bool, kCampi> c{};
        for (Campo campo : kCampiComuni)
            c[size_t(campo)] = true;
        return c;
    }();
    struct Riga {
        qsizetype propri;                     // offset of the row's own fields in the blocks
        qsizetype comuni;                     // offset of its payee's fields in the blocks
        std::array<quint8, kCampi> lunghezza; // trimmed length of each field
    };
    QByteArrayView Byte(qint64 riga, int colonna) const;
    static quint64 Chiave(qint64 riga, int colonna) { return quint64(riga) * NumeroColonne + quint64(colonna); }

    // The trimmed field bytes in blocks of kBlocco bytes, each row's own fields
    // and each payee's one after the other, never across two blocks.
    static constexpr qsizetype kBlocco = qsizetype(4) << 20;
    static constexpr int kPasso = 32; // field bytes are copied this many at a time
    using Blocco = std::unique_ptr<char, void (*)(void *)>;
    static Blocco NuovoBlocco();
    // What one part of the reading fills: its own blocks, and the payees it
    // met last, to find there those its next rows repeat.
    struct Parte {
        struct Voce {
            quint32 impronta = 0;
            qsizetype inizio = -1;
            std::array<quint8, kComuni> lunghezza{};
        };
        std::vector<Blocco> blocchi;
        qsizetype libero = 0; // bytes used in the last block
        std::array<Voce, 512> recenti;
        // Room for `byte` bytes; their offset goes to `inizio`.
        char *Spazio(qsizetype byte, qsizetype &inizio);
        // The offset of the payee's fields `t`, stored unless met lately.
        qsizetype Comuni(const std::array<QByteArrayView, kCampi> &t, qsizetype byte, quint32 impronta);
    };
    // Copies the trimmed fields t of the group (a payee's fields, or the
    // row's own) one after the other to o, which has a stride to spare.
    static void Copia(char *o, const std::array<QByteArrayView, kCampi> &t, bool comuni);
    // A row per record, in one table that each part of the reading writes
    // from its own first record: no part's rows are copied to join them.
    struct RendiRighe {
        size_t byte; // of the table
        void operator()(Riga *r) const { Memoria::Rendi(r, byte); }
    };
    using Righe = std::unique_ptr<Riga[], RendiRighe>;
    static Righe NuoveRighe(size_t quante);
    std::vector<Blocco> m_blocchi;
    Righe m_righe;
    qint64 m_numeroRighe = 0;
    QHash<quint64, QString> m_modifiche; // cells edited in the grid
};
