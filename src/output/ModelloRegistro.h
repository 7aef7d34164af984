#pragma once
// The export grid's contents: one row per record of the archive, column 0 the
// 1-based row number and columns 1 to 14 the record's fields, trimmed. Loaded
// in one pass over the archive; only the used bytes of each field are kept
// and decoded when a cell is asked for, so a large archive stays small in
// memory. Cells the user edits in the grid are kept beside them.

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

    qint64 NumeroRighe() const { return qint64(m_contenuto.righe.size()); }
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
    struct Riga {
        qsizetype inizio;                     // offset of the first field in the blocks
        std::array<quint8, kCampi> lunghezza; // trimmed length of each field
    };
    QByteArrayView Byte(qint64 riga, int colonna) const;
    static quint64 Chiave(qint64 riga, int colonna) { return quint64(riga) * NumeroColonne + quint64(colonna); }


    // The trimmed field bytes, row after row, in blocks of kBlocco bytes.
    static constexpr qsizetype kBlocco = qsizetype(4) << 20;
    static constexpr int kPasso = 32; // field bytes are copied this many at a time
    using Blocco = std::unique_ptr<char, void (*)(void *)>;
    static Blocco NuovoBlocco();
    struct Contenuto {
        std::vector<Blocco> blocchi;
        qsizetype libero = 0; // bytes used in the last block
        std::vector<Riga, Memoria::AllocatoreGrande<Riga>> righe;
        // Room for a row of `byte` bytes; its offset goes to `inizio`.
        char *Spazio(qsizetype byte, qsizetype &inizio);
        // Appends the rows of the part of the archive that follows.
        void Accoda(Contenuto &&altro);
    };
    Contenuto m_contenuto;
    QHash<quint64, QString> m_modifiche; // cells edited in the grid
};
