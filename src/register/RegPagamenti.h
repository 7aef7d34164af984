#pragma once

#include <QWidget>
#include <memory>

#include "register/Scheda.h"

namespace Ui { class TfrmRegPagamenti; }

class TfrmRegPagamenti : public QWidget {
    Q_OBJECT
public:
    explicit TfrmRegPagamenti(QWidget *parent = nullptr);
    ~TfrmRegPagamenti() override;

    // Loads the record with 0-based index indice into the controls.
    void MostraScheda(const TScheda &s, qint64 indice);
    // The editor's controls: dialogs read and write them directly.
    Ui::TfrmRegPagamenti *Controlli() const { return ui.get(); }

private:
    std::unique_ptr<Ui::TfrmRegPagamenti> ui;
};
