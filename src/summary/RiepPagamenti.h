#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class TfrmRiepPagamenti; }

class TfrmRiepPagamenti : public QDialog {
    Q_OBJECT
public:
    explicit TfrmRiepPagamenti(QWidget *parent = nullptr);
    ~TfrmRiepPagamenti() override;

private:
    std::unique_ptr<Ui::TfrmRiepPagamenti> ui;
};
