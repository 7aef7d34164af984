#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "platform/Desktop.h"
#include "register/Scheda.h"

namespace Ui { class TfrmRegPagamenti; }
class Archivio;
class QLineEdit;

class TfrmRegPagamenti : public QWidget {
    Q_OBJECT
public:
    explicit TfrmRegPagamenti(QWidget *parent = nullptr);
    ~TfrmRegPagamenti() override;

    // Loads the record with 0-based index indice into the controls.
    void MostraScheda(const TScheda &s, qint64 indice);
    // The editor's controls: dialogs read and write them directly.
    Ui::TfrmRegPagamenti *Controlli() const { return ui.get(); }
    // The record as the controls show it, untrimmed, as a save writes it.
    TScheda SchedaDaSchermo() const;

    // Caller tags of the calendar dialog.
    static QString EtichettaData() { return QStringLiteral("regpagamenti_data"); }
    static QString EtichettaDataDoc() { return QStringLiteral("regpagamenti_datadoc"); }
    // Caller tag of the search and attachments dialogs.
    static QString Etichetta() { return QStringLiteral("regpagamenti"); }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *oggetto, QEvent *event) override;

private:
    void cmdNuovoClick();
    void cmdSalvaClick();
    void cmdDuplicaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdTrovaClick();
    void cmdListinoClick();
    void cmdStampaClick();
    void cmdEsportaClick();
    void cmdFileClick();
    void cmdGuidaClick();
    void btnCalcolaClick();
    void btnCodFiscClick();
    void txtCodFiscTyping(const QString &testo);

    bool TastoCampo(QLineEdit *campo, QKeyEvent *tasto);
    void ApriCalendario(const QString &etichetta);
    void Avanza(QLineEdit *campo);
    // The shown record's 1-based position, nothing for a new record.
    std::optional<qint64> Posizione() const;
    // Opens the archive, runs the work, closes it. On any archive failure it
    // shows the access message as the given kind and returns false.
    bool ConArchivio(const std::function<void(Archivio &)> &lavoro, Desktop::Tipo tipoErrore);
    void MessaggioArchivioVuoto();
    // Writes the record over position k (1-based) or appends it, and tells
    // the user how it went; true when it is saved and on disk.
    bool SalvaInArchivio(const TScheda &s, std::optional<qint64> k);
    // Warns that the day's copy of the archive failed, once a day.
    void SegnalaCopiaFallita(const QString &errore);

    std::unique_ptr<Ui::TfrmRegPagamenti> ui;
    QList<QLineEdit *> m_anello;             // the Enter ring, also the tab order
    QHash<const QObject *, QString> m_suggerimenti;
    QList<const QObject *> m_sfondo;         // hovering these empties the hint line
    QDate m_copiaSegnalata;                  // the day a failed copy was last reported
};
