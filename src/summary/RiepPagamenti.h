#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class TfrmRiepPagamenti; }
class TfrmMenuRiepPagamenti;

// The statement of the payments of an interval, with their total. Built when
// it is shown, from the criteria screen's filters and dates.
class TfrmRiepPagamenti : public QDialog {
    Q_OBJECT
public:
    explicit TfrmRiepPagamenti(QWidget *parent = nullptr);
    ~TfrmRiepPagamenti() override;

    void done(int risultato) override;

protected:
    void showEvent(QShowEvent *evento) override;

private:
    TfrmMenuRiepPagamenti *Criteri() const;
    void Costruisci();
    void btnStampaClick();
    void imgGuidaClick();

    std::unique_ptr<Ui::TfrmRiepPagamenti> ui;
    bool m_costruito = false;
};
