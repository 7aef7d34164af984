#pragma once
// The import screen: a bank statement chosen through the desktop, what was
// detected, the column mapping, and the preview of its lines as records,
// with duplicates unticked and the matching record beside them. The ticked
// lines are appended in one go. Created by the register editor for one use,
// shown modally and destroyed.

#include "imports/Estratto.h"
#include "imports/Importazione.h"
#include "imports/Mappatura.h"
#include "platform/Differita.h"

#include <QDialog>
#include <memory>
#include <optional>

namespace Ui { class TfrmImporta; }
class ModelloImportazione;
class QComboBox;

class TfrmImporta : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmImporta(QWidget *parent = nullptr);
    ~TfrmImporta() override;

    // Reads the statement and shows its preview; false, with the user told
    // why, when the file cannot be read or holds no statement.
    bool ApriFile(const QString &percorso);
    ModelloImportazione &Modello();
    Ui::TfrmImporta *Controlli();
    // How many records the last import added (0 when none).
    qint64 Aggiunte() const { return m_aggiunte; }

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *evento) override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void cmdApriClick();
    void cmdImportaClick();
    void cmdGuidaClick();
    void MappaturaCambiata();
    // Builds the preview again from the table, the mapping and the tolerance,
    // reading the archive first for a new file or for amounts it was not
    // read for; false, with the user told, when it cannot be read.
    bool Aggiorna();
    bool LeggiArchivio(const QSet<qint64> &importi);
    void AggiornaRiepilogo();
    void Svuota(const QString &motivo);
    QList<QComboBox *> Tendine() const;

    std::unique_ptr<Ui::TfrmImporta> ui;
    ModelloImportazione *m_modello = nullptr;
    QString m_percorso;
    Estratto::Tabella m_tabella;
    Mappatura m_mappatura;
    // The archive as read for the amounts of the preview; none until the
    // preview of the file is first made.
    std::optional<Importazione::IndiceArchivio> m_indice;
    QList<Estratto::ErroreLinea> m_erroriRighe; // lines read but not turned into payments
    bool m_caricamento = false;
    qint64 m_aggiunte = 0;
};
