#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class TfrmExpRegPagamenti; }

class TfrmExpRegPagamenti : public QDialog {
    Q_OBJECT
public:
    explicit TfrmExpRegPagamenti(QWidget *parent = nullptr);
    ~TfrmExpRegPagamenti() override;

private:
    std::unique_ptr<Ui::TfrmExpRegPagamenti> ui;
};
