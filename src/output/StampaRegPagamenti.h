#pragma once

#include <QDialog>
#include <memory>
#include <optional>

#include "platform/Differita.h"
#include "platform/report/Report.h"

namespace Ui { class TfrmStampaRegPagamenti; }

// Prints the record the register editor shows, saved or not, as the one-page
// sheet "Scheda Spesa".
class TfrmStampaRegPagamenti : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmStampaRegPagamenti(QWidget *parent = nullptr);
    ~TfrmStampaRegPagamenti() override;

    // The sheet as last prepared; nothing when its design could not be read.
    const Report *Documento();

protected:
    void Costruisci() override;

private:
    void btnStampaClick();
    void btnAnnullaClick();
    void Compila();

    std::unique_ptr<Ui::TfrmStampaRegPagamenti> ui;
    std::optional<Report> repDocumento;
};
