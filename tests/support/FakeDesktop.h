#pragma once
// Test double of the desktop seam: records every message and shell open,
// answers questions, input boxes and file dialogs from scripted queues, runs
// a scripted handler instead of blocking on a modal dialog, prints to PDF
// files in a folder of its own, and keeps a fixed clock and program folder.

#include "platform/Desktop.h"

#include <QDialog>
#include <QList>
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

class FakeDesktop : public Desktop {
public:
    struct Voce {
        enum Genere { Avviso, Errore, Informazione, Domanda, DomandaConAnnulla, Semplice, InputBox } genere;
        QString testo;
    };

    FakeDesktop();
    ~FakeDesktop() override;

    // --- what the program did
    QList<Voce> messaggi;            // every message, question and input box, in order
    QList<QUrl> aperti;              // every shell open
    QStringList stampe;              // PDF files of the print jobs, in order
    QList<QDialog *> modali;         // dialogs shown modally (valid only inside the handler)
    int dialoghiStampa = 0;          // how many times the print dialog was shown
    // Long work: each start (its text and window), each progress report in
    // percent, and each end, in order.
    struct Lavoro {
        QString testo;
        QWidget *finestra = nullptr;
        QList<int> avanzamenti;
        bool finito = false;
    };
    QList<Lavoro> lavori;
    int lavoriInCorso = 0;

    // --- what the user will do
    QQueue<bool> risposte;                        // answers to Domanda; empty -> Yes
    QQueue<Scelta> scelte;                        // answers to DomandaConAnnulla; empty -> No
    QQueue<std::optional<QString>> inputBox;      // answers to InputBox; empty -> cancel
    QQueue<QString> fileScelti;                   // answers to ApriFile; empty -> cancel
    // Handler for a modal dialog: interact with it, return its result code.
    // Without one, a modal dialog is rejected at once.
    std::function<int(QDialog *)> quandoModale;
    // Print dialog: accepted or not, and an optional change of the copy count.
    bool stampaAccettata = true;
    std::function<void(QPrinter &)> nelDialogoStampa;

    QDate oggi{2024, 3, 15};
    QTime ora{10, 30, 0};
    QTemporaryDir cartella;          // the program folder

    // --- helpers
    QString ultimoTesto() const { return messaggi.isEmpty() ? QString() : messaggi.last().testo; }
    Voce::Genere ultimoGenere() const { return messaggi.last().genere; }
    void pulisci() { messaggi.clear(); aperti.clear(); stampe.clear(); }
    QString percorso(const QString &nome) const;

    // --- the seam
    void Messaggio(Tipo tipo, const QString &testo, QWidget *genitore) override;
    bool Domanda(const QString &testo, QWidget *genitore) override;
    Scelta DomandaConAnnulla(const QString &testo, QWidget *genitore) override;
    void MessaggioSemplice(const QString &testo, QWidget *genitore) override;
    std::optional<QString> InputBox(const QString &titolo, const QString &richiesta,
                                    const QString &valore, QWidget *genitore) override;
    QString ApriFile(const QString &titolo, const QString &filtro, QWidget *genitore) override;
    int MostraModale(QDialog *dialogo) override;
    bool DialogoStampa(QPrinter &stampante, QWidget *genitore) override;
    void PreparaLavoroStampa(QPrinter &stampante) override;
    void ApriUrl(const QUrl &url) override;
    void InizioLavoro(QWidget *finestra, const QString &testo) override;
    void AvanzamentoLavoro(QWidget *finestra, int percento) override;
    void FineLavoro(QWidget *finestra) override;
    QDate Oggi() const override { return oggi; }
    QDateTime Adesso() const override { return QDateTime(oggi, ora); }
    QString CartellaProgramma() const override { return cartella.path(); }

    // Last title and prompt seen by InputBox, for tests that check them.
    QString titoloInput, richiestaInput, valoreInput;
    QString titoloFile, filtroFile;
};

// Installs a FakeDesktop for the lifetime of the object.
class FakeDesktopInstallato : public FakeDesktop {
public:
    FakeDesktopInstallato() { Desktop::Installa(this); }
    ~FakeDesktopInstallato() override { Desktop::Installa(nullptr); }
};
