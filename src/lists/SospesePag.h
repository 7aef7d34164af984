#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class TfrmSospesePag; }

class TfrmSospesePag : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSospesePag(QWidget *parent = nullptr);
    ~TfrmSospesePag() override;

private:
    std::unique_ptr<Ui::TfrmSospesePag> ui;
};
