#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class TfrmPartitaIva; }

class TfrmPartitaIva : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget *parent = nullptr);
    ~TfrmPartitaIva() override;

private:
    std::unique_ptr<Ui::TfrmPartitaIva> ui;
};
