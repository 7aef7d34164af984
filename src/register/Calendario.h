#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class TfrmCalendario; }

class TfrmCalendario : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget *parent = nullptr);
    ~TfrmCalendario() override;

private:
    std::unique_ptr<Ui::TfrmCalendario> ui;
};
