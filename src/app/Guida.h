#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class TfrmGuida; }

class TfrmGuida : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget *parent = nullptr);
    ~TfrmGuida() override;

    // What every caller does: a new help dialog owned by the caller, with the
    // topic's title and text, shown modally and destroyed after it closes.
    static void Mostra(QWidget *chiamante, const QString &titolo, const QString &testo);

private:
    std::unique_ptr<Ui::TfrmGuida> ui;
};
