#pragma once

#include "platform/Differita.h"

#include <QWidget>
#include <memory>

namespace Ui { class TfrmPassword; }

// The access screen: the main window, shown first. A correct password opens
// the start menu; from here the user can also change the password or leave.
class TfrmPassword : public Differita<QWidget> {
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget *parent = nullptr);
    ~TfrmPassword() override;

    // Empties the password field, shows the screen and puts the focus there:
    // what the change dialog does when it closes.
    void Ripresenta();

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void FormShow();
    void txtPasswordChange();
    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();
    void AggiornaOK();

    std::unique_ptr<Ui::TfrmPassword> ui;
};
