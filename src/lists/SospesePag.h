#pragma once

#include "lists/RichiamoScheda.h"
#include "platform/Differita.h"

#include <QDialog>
#include <memory>

namespace Ui { class TfrmSospesePag; }

// The accounts still to be settled, listed as soon as the dialog is shown.
class TfrmSospesePag : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmSospesePag(QWidget *parent = nullptr);
    ~TfrmSospesePag() override;

    // Where a double-clicked record goes (the register editor that opened
    // the dialog); without one a double click only closes the dialog.
    VisoreScheda *visore = nullptr;

    void done(int risultato) override;

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *evento) override;

private:
    void lstRecordsDblClick();
    void btnStampaClick();

    std::unique_ptr<Ui::TfrmSospesePag> ui;
    QString m_ultimoTrova;
};
