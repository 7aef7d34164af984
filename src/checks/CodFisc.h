#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class TfrmCodFisc; }

class TfrmCodFisc : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget *parent = nullptr);
    ~TfrmCodFisc() override;

private:
    std::unique_ptr<Ui::TfrmCodFisc> ui;
};
