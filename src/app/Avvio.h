#pragma once

#include <QWidget>
#include <memory>

namespace Ui { class TfrmAvvio; }

class TfrmAvvio : public QWidget {
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget *parent = nullptr);
    ~TfrmAvvio() override;

private:
    std::unique_ptr<Ui::TfrmAvvio> ui;
};
