#pragma once

#include "platform/Differita.h"

#include <QDialog>
#include <memory>

namespace Ui { class TfrmCalendario; }
class QKeyEvent;

// Picks a date for one of the register editor's two date fields; the caller
// tag in lblMemory says which one. A date can be picked on the calendar or
// typed on the keyboard, digits and slashes, into the field below it.
class TfrmCalendario : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget *parent = nullptr);
    ~TfrmCalendario() override;

    // The key pressed in the editor's date field that opened the dialog: it
    // reaches the dialog as if pressed there (a digit starts the typed date).
    void TastoIniziale(const QKeyEvent &tasto);

protected:
    void Costruisci() override;
    bool eventFilter(QObject *oggetto, QEvent *event) override;

private:
    void btnImportaDataClick();
    void txtDataDigitataTyping(const QString &testo);
    void calAppuntamentiSelectionChanged();
    void calAppuntamentiPageChanged(int anno, int mese);
    // A digit or a slash pressed anywhere in the dialog goes to the typed date.
    static bool CarattereData(const QString &testo);

    std::unique_ptr<Ui::TfrmCalendario> ui;
    bool m_daDigitazione = false; // the calendar follows the typed date
    bool m_tastoIniziale = false; // the opening key is in the typed date
};
