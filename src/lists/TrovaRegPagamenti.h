#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class TfrmTrovaRegPagamenti; }

class TfrmTrovaRegPagamenti : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTrovaRegPagamenti(QWidget *parent = nullptr);
    ~TfrmTrovaRegPagamenti() override;

private:
    std::unique_ptr<Ui::TfrmTrovaRegPagamenti> ui;
};
