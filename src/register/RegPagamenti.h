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
class Completamento;
class LetturaSuggerimenti;
class Suggerimenti;
class QTimer;

namespace Ui { class TfrmRegPagamenti; }
class Archivio;
class QDialog;
class QKeyEvent;
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
    // The list of removed records, which belongs to the lists.
    void ImpostaEliminate(CreaDialogo eliminate);
    // The import of a bank statement, which reads the archive by itself.
    void ImpostaImportazione(CreaDialogo importazione);

    // The editor's controls: dialogs read and write them directly.
    Ui::TfrmRegPagamenti *Controlli();
    // The record as the controls show it, untrimmed.
    TScheda SchedaDaSchermo();
    // The record a save writes: the controls' texts, except that a field
    // showing what it was loaded with keeps the bytes it was loaded with
    // (an amount the program cannot read, blanks, bytes of another program).
    TScheda SchedaDaSalvare();

    // The list of values offered under the field (payee, product code, type);
    // nullptr for the other fields.
    Completamento *CompletamentoDi(const QLineEdit *campo) const;
    // True while the values offered are being read from the archive.
    bool LetturaValoriInCorso() const;

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
    void cmdEliminaClick();
    void cmdEliminateClick();
    // What the screen would hold after MostraScheda of the record, to tell
    // whether the archive still holds the record the screen was loaded from.
    QStringList StatoDi(const TScheda &s) const;
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdTrovaClick();
    void cmdListinoClick();
    void cmdStampaClick();
    void cmdEsportaClick();
    void cmdImportaClick();
    void cmdFileClick();
    void cmdGuidaClick();
    void btnCalcolaClick();
    void btnCodFiscClick();
    void txtCodFiscTyping(const QString &testo);

    bool TastoCampo(QLineEdit *campo, QKeyEvent *tasto);
    // Puts a value into an amount field; when the field holds the focus its
    // whole content is selected again, so that the next typing replaces the
    // value instead of joining it.
    void ScriviImporto(QLineEdit *campo, const QString &testo);
    // The field shows, untouched, an amount of the loaded record that cannot
    // be read: it is kept as it is and never taken for zero.
    bool ImportoIlleggibileCaricato(const QLineEdit *campo) const;
    QString NomeImporto(const QLineEdit *campo) const;
    // Names the amounts of the shown record that cannot be read.
    void SegnalaImportiIlleggibili();
    // Before the balance is computed: false when the due or the advance is an
    // unreadable stored amount (and the user, asked when chiedi, did not let
    // the save go on without computing it). senzaSaldo tells the caller to
    // leave the balance as it is.
    bool ImportiLeggibili(bool chiedi, bool &senzaSaldo);
    // The record was changed in the archive after it was loaded: asks what to
    // do. True when the shown record is saved.
    bool SchedaCambiataAltrove(const TScheda &s, qint64 k, const std::optional<TScheda> &attuale);
    // Tells the user, once, that another copy of the program has the folder.
    void SegnalaCartellaInUso();
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
    void ApriCalendario(const QString &etichetta, const QKeyEvent &tasto);
    void Avanza(QLineEdit *campo);
    // The shown record's 1-based position, nothing for a new record.
    std::optional<qint64> Posizione() const;
    // Opens the archive, runs the work, closes it. On any archive failure it
    // shows the access message as the given kind and returns false.
    bool ConArchivio(const std::function<void(Archivio &)> &lavoro, Desktop::Tipo tipoErrore);
    void MessaggioArchivioVuoto();
    // Writes the record over position k (1-based) or appends it, and tells
    // the user how it went; true when it is saved and on disk.
    // A rewrite with caricata goes ahead only if the archive still holds
    // those bytes; otherwise the user is asked (SchedaCambiataAltrove).
    bool SalvaInArchivio(const TScheda &s, std::optional<qint64> k, const TScheda *caricata = nullptr);
    // Warns that the day's copy of the archive failed, once a day.
    // A failed day's copy once a day, copies dated after today once each.
    void SegnalaCopia(const EsitoSalvataggio &esito);

    // The values offered while typing: read anew from the archive a slice at
    // a time (the editor stays usable meanwhile), kept current by the saves.
    void LeggiValori();
    void PassoLetturaValori();
    // A record saved at indice (0-based); vecchia: the bytes it replaced, when known.
    void ValoriSalvati(const TScheda &s, qint64 indice, bool riscritta, const TScheda *vecchia);
    // A payee chosen from the list on a new record: offers the fields of its last record.
    void OffriUltimaScheda(const QString &beneficiario);

    std::unique_ptr<Ui::TfrmRegPagamenti> ui;
    QList<QLineEdit *> m_anello;             // the Enter ring, also the tab order
    QHash<const QObject *, QString> m_suggerimenti;
    QList<const QObject *> m_sfondo;         // hovering these empties the hint line
    QStringList m_mostrata;                  // the record as shown, saved or started
    QLineEdit *m_entrataConClic = nullptr;   // amount field the mouse is entering
    QLineEdit *m_daRiselezionare = nullptr;  // amount field rewritten while the window was inactive
    CreaDialogo m_ricerca, m_contiDaSaldare, m_stampa, m_esportazione, m_eliminate, m_importazione;
    QDate m_copiaSegnalata;                  // the day a failed copy was last reported
    std::optional<TScheda> m_caricata;       // the bytes of the shown record as loaded or saved
    bool m_cartellaSegnalata = false;        // another copy's lock already reported
    QSet<QString> m_copieFutureSegnalate;    // copies dated after today already named
    std::unique_ptr<Suggerimenti> m_valori;  // the values offered while typing
    std::unique_ptr<LetturaSuggerimenti> m_letturaValori; // the scan under way, if any
    bool m_rileggiValori = false;            // the archive changed during the scan
    QTimer *m_passoValori = nullptr;
    QHash<const QLineEdit *, Completamento *> m_completamenti;
};
