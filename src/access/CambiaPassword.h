#pragma once

#include "platform/Differita.h"

#include <QDialog>
#include <memory>

class QLineEdit;
namespace Ui { class TfrmCambiaPassword; }

// The change-password dialog, shown instead of the access screen; closing it,
// in any way, brings the access screen back.
class TfrmCambiaPassword : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget *parent = nullptr);
    ~TfrmCambiaPassword() override;

    // Every way of closing a dialog ends here (close button, Esc, close()).
    void done(int esito) override;

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void FormShow();
    void FormClose();
    void cmdOKClick();
    void cmdEsciClick();
    void AggiornaOK();
    // Empties the new password and its confirmation and focuses the first.
    void RipetiNuova(const QString &messaggio);

    std::unique_ptr<Ui::TfrmCambiaPassword> ui;
};
