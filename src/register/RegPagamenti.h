#pragma once

#include <QWidget>
#include <memory>

namespace Ui { class TfrmRegPagamenti; }

class TfrmRegPagamenti : public QWidget {
    Q_OBJECT
public:
    explicit TfrmRegPagamenti(QWidget *parent = nullptr);
    ~TfrmRegPagamenti() override;

private:
    std::unique_ptr<Ui::TfrmRegPagamenti> ui;
};
