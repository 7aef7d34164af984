#pragma once
// The desktop seam: everything the program asks of the desktop (message boxes,
// questions, the input box, the file-open dialog, modal showing, printing,
// shell open, the clock and the program folder) goes through one object,
// installed at start and replaced by a test double in tests.

#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <optional>

class QDialog;
class QProgressDialog;
class QPrinter;
class QWidget;

class Desktop {
public:
    enum class Tipo { Avviso, Errore, Informazione };
    // The answers of a question that can also be withdrawn.
    enum class Scelta { Si, No, Annulla };

    virtual ~Desktop() = default;

    // Typed message: icon of its kind, buttons OK and Cancel, answer ignored.
    virtual void Messaggio(Tipo tipo, const QString &testo, QWidget *genitore = nullptr) = 0;
    // Question with Yes and No; true for Yes.
    virtual bool Domanda(const QString &testo, QWidget *genitore = nullptr) = 0;
    // Question with Yes, No and Cancel (Escape cancels).
    virtual Scelta DomandaConAnnulla(const QString &testo, QWidget *genitore = nullptr) = 0;
    // Plain message: OK only, no icon.
    virtual void MessaggioSemplice(const QString &testo, QWidget *genitore = nullptr) = 0;
    // Input box with one text value; nothing when the user cancels.
    virtual std::optional<QString> InputBox(const QString &titolo, const QString &richiesta,
                                            const QString &valore, QWidget *genitore = nullptr) = 0;
    // File-open dialog; an empty text when the user cancels.
    virtual QString ApriFile(const QString &titolo, const QString &filtro,
                             QWidget *genitore = nullptr) = 0;

    // Shows the dialog modally and returns its result code.
    virtual int MostraModale(QDialog *dialogo) = 0;

    // The print dialog for the printer: true when the user confirms. It may
    // change the printer, the copy count and the pages.
    virtual bool DialogoStampa(QPrinter &stampante, QWidget *genitore = nullptr) = 0;
    // Called just before each print job starts on the printer; a test routes
    // the job to a PDF file of its own here.
    virtual void PreparaLavoroStampa(QPrinter &stampante) = 0;

    // Shell open of a file, folder, web or mailto: address; outcome ignored.
    virtual void ApriUrl(const QUrl &url) = 0;

    // Long work on behalf of a window (a scan of the archive): a busy cursor
    // from its start to its end, and its progress reported in percent as it
    // goes. The desktop shows the progress once the work has lasted a few
    // tenths of a second, and keeps every window painted meanwhile.
    virtual void InizioLavoro(QWidget *finestra, const QString &testo) = 0;
    virtual void AvanzamentoLavoro(QWidget *finestra, int percento) = 0;
    virtual void FineLavoro(QWidget *finestra) = 0;

    virtual QDate Oggi() const = 0;
    virtual QDateTime Adesso() const = 0;
    // The folder of the executable, where the archive and the password store live.
    virtual QString CartellaProgramma() const = 0;

    static Desktop &Corrente();
    // Installs the seam; the caller keeps ownership. nullptr restores the real one.
    static void Installa(Desktop *d);
};

// The real desktop: Qt's message boxes, dialogs, print dialog and QDesktopServices.
class DesktopReale : public Desktop {
public:
    void Messaggio(Tipo tipo, const QString &testo, QWidget *genitore) override;
    bool Domanda(const QString &testo, QWidget *genitore) override;
    Scelta DomandaConAnnulla(const QString &testo, QWidget *genitore) override;
    void MessaggioSemplice(const QString &testo, QWidget *genitore) override;
    std::optional<QString> InputBox(const QString &titolo, const QString &richiesta,
                                    const QString &valore, QWidget *genitore) override;
    QString ApriFile(const QString &titolo, const QString &filtro, QWidget *genitore) override;
    // The filter as the file dialog is given it: "*.*" becomes "*".
    static QString FiltroDialogo(const QString &filtro);
    int MostraModale(QDialog *dialogo) override;
    bool DialogoStampa(QPrinter &stampante, QWidget *genitore) override;
    void PreparaLavoroStampa(QPrinter &) override {}
    void ApriUrl(const QUrl &url) override;
    void InizioLavoro(QWidget *finestra, const QString &testo) override;
    void AvanzamentoLavoro(QWidget *finestra, int percento) override;
    void FineLavoro(QWidget *finestra) override;
    QDate Oggi() const override;
    QDateTime Adesso() const override;
    QString CartellaProgramma() const override;

private:
    QElapsedTimer m_lavoro;        // since the start of the current work
    QElapsedTimer m_disegno;       // since the windows were last painted
    QPointer<QProgressDialog> m_avanzamento;
    QString m_testoLavoro;
    int m_lavori = 0;              // nested works under way
};
