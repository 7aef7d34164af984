#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "platform/Desktop.h"
#include "platform/Differita.h"
#include "register/Scheda.h"
#include "register/VisoreScheda.h"

struct EsitoSalvataggio;

namespace Ui { class TfrmRegPagamenti; }
class Archivio;
class QDialog;
class QLineEdit;

class TfrmRegPagamenti : public Differita<QWidget>, public VisoreScheda {
    Q_OBJECT
public:
    explicit TfrmRegPagamenti(QWidget *parent = nullptr);
    ~TfrmRegPagamenti() override;

    // Loads the record with 0-based index indice into the controls.
    void MostraScheda(const TScheda &s, qint64 indice) override;
    // Before the shown record is replaced, the screen closed or the program
    // ended: when the record holds edits not yet saved, asks whether to save
    // them (Sì, No, Annulla). True when the action may go on.
    bool LasciaScheda() override;

    // The search and the accounts to settle belong to the lists, the print and
    // export dialogs to the output, all of which depend on the register:
    // whoever assembles the program says how to create them. The lists load
    // their records back through the viewer; the others ignore it.
    using CreaDialogo = std::function<QDialog *(QWidget *genitore, VisoreScheda *visore)>;
    void ImpostaElenchi(CreaDialogo ricerca, CreaDialogo contiDaSaldare);
    void ImpostaStampe(CreaDialogo stampa, CreaDialogo esportazione);

    // The editor's controls: dialogs read and write them directly.
    Ui::TfrmRegPagamenti *Controlli();
    // The record as the controls show it, untrimmed, as a save writes it.
    TScheda SchedaDaSchermo();

    // Caller tags of the calendar dialog.
    static QString EtichettaData() { return QStringLiteral("regpagamenti_data"); }
    static QString EtichettaDataDoc() { return QStringLiteral("regpagamenti_datadoc"); }
    // Caller tag of the search and attachments dialogs.
    static QString Etichetta() { return QStringLiteral("regpagamenti"); }

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *oggetto, QEvent *event) override;

private:
    void cmdNuovoClick();
    void NuovaScheda();
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
    bool EventoImporto(QLineEdit *campo, QEvent *event);
    bool Importo(const QObject *oggetto) const;
    void IncollaImporto(QLineEdit *campo, const QString &testo);
    // Normalises the given amount fields as leaving them does; an amount too
    // long for its field is reported and nothing is changed. False then.
    bool NormalizzaImporti(const QList<QLineEdit *> &campi);
    // The balance; false, with the field reported, when an amount is too long.
    bool AggiornaSaldo();
    void ImportoNonValido(QLineEdit *campo);
    void ApriDialogo(const CreaDialogo &crea, const QString &etichetta = QString());
    // What the screen shows of the record, amounts compared by value, so that
    // the normalising of a field the user only passed through is no edit.
    QStringList StatoSchermo() const;
    void Ricorda() { m_mostrata = StatoSchermo(); }
    bool ModificheNonSalvate() const { return StatoSchermo() != m_mostrata; }
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
    // A failed day's copy once a day, copies dated after today once each.
    void SegnalaCopia(const EsitoSalvataggio &esito);

    std::unique_ptr<Ui::TfrmRegPagamenti> ui;
    QList<QLineEdit *> m_anello;             // the Enter ring, also the tab order
    QHash<const QObject *, QString> m_suggerimenti;
    QList<const QObject *> m_sfondo;         // hovering these empties the hint line
    QStringList m_mostrata;                  // the record as shown, saved or started
    QLineEdit *m_entrataConClic = nullptr;   // amount field the mouse is entering
    CreaDialogo m_ricerca, m_contiDaSaldare, m_stampa, m_esportazione;
    QDate m_copiaSegnalata;                  // the day a failed copy was last reported
    QSet<QString> m_copieFutureSegnalate;    // copies dated after today already named
};
