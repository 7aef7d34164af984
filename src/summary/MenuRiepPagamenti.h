#pragma once

#include <QWidget>
#include <memory>

namespace Ui { class TfrmMenuRiepPagamenti; }

class TfrmMenuRiepPagamenti : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMenuRiepPagamenti(QWidget *parent = nullptr);
    ~TfrmMenuRiepPagamenti() override;

private:
    std::unique_ptr<Ui::TfrmMenuRiepPagamenti> ui;
};
