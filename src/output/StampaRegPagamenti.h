#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class TfrmStampaRegPagamenti; }

class TfrmStampaRegPagamenti : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStampaRegPagamenti(QWidget *parent = nullptr);
    ~TfrmStampaRegPagamenti() override;

private:
    std::unique_ptr<Ui::TfrmStampaRegPagamenti> ui;
};
