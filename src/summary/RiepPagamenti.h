#pragma once

#include "platform/Differita.h"

#include <QDialog>
#include <memory>

namespace Ui { class TfrmRiepPagamenti; }
class TfrmMenuRiepPagamenti;

// The statement of the payments of an interval, with their total. Built when
// it is shown, from the criteria screen's filters and dates.
class TfrmRiepPagamenti : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmRiepPagamenti(QWidget *parent = nullptr);
    ~TfrmRiepPagamenti() override;

    void done(int risultato) override;

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *evento) override;

private:
    TfrmMenuRiepPagamenti *Criteri() const;
    // Reads the archive into the statement, for the criteria of the moment.
    void Riempi();
    void btnStampaClick();
    void imgGuidaClick();

    std::unique_ptr<Ui::TfrmRiepPagamenti> ui;
    bool m_riempito = false;
};
