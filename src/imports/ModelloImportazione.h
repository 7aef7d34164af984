#pragma once
// The preview grid of an import: one row per line of the statement, in file
// order: the payments with their tick, as the records will hold them, and
// the lines that could not be read with the reason.

#include "imports/Estratto.h"
#include "imports/Importazione.h"

#include <QAbstractTableModel>
#include <vector>

class ModelloImportazione : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Colonna { Spunta, Linea, Data, Fornitore, Servizi, Importo, Codice, Tipologia, Note, NumeroColonne };

    explicit ModelloImportazione(QObject *genitore = nullptr);

    void Carica(QList<Importazione::Riga> righe, const QList<Estratto::ErroreLinea> &errori);
    // Codice and Tipologia of the lines whose payee has no record yet.
    void ImpostaCodici(const QString &codice, const QString &tipologia);
    const QList<Importazione::Riga> &Righe() const { return m_righe; }
    // The payment shown on the grid row, or nullptr for a line not read.
    const Importazione::Riga *RigaDi(int riga) const;
    void Inverti(int riga);
    // The codes a payment's record gets.
    std::pair<QString, QString> CodiciDi(const Importazione::Riga &r) const;
    QString NotaDi(int riga) const;

    int rowCount(const QModelIndex &genitore = {}) const override;
    int columnCount(const QModelIndex &genitore = {}) const override;
    QVariant data(const QModelIndex &indice, int ruolo) const override;
    bool setData(const QModelIndex &indice, const QVariant &valore, int ruolo) override;
    Qt::ItemFlags flags(const QModelIndex &indice) const override;
    QVariant headerData(int sezione, Qt::Orientation verso, int ruolo) const override;

signals:
    void SpunteCambiate();

private:
    struct Voce {
        int linea;
        int riga;    // index in m_righe, or -1
        int errore;  // index in m_errori, or -1
    };
    QList<Importazione::Riga> m_righe;
    QList<Estratto::ErroreLinea> m_errori;
    std::vector<Voce> m_voci;
    QString m_codice, m_tipologia;
};
