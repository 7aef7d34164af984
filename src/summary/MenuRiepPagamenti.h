#pragma once

#include "platform/Differita.h"

#include <QWidget>
#include <memory>

namespace Ui { class TfrmMenuRiepPagamenti; }
class QComboBox;

// The criteria of the period summary: year, filters and the two days of the
// interval. Opens a statement for them; the statement reads its inputs from
// this screen's controls.
class TfrmMenuRiepPagamenti : public Differita<QWidget> {
    Q_OBJECT
public:
    explicit TfrmMenuRiepPagamenti(QWidget *parent = nullptr);
    ~TfrmMenuRiepPagamenti() override;

    // The controls, read by the statement while it is built.
    Ui::TfrmMenuRiepPagamenti *Controlli();

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void btnVisualizzaClick();
    void AggiornaAnno();
    bool TastoCampo(QWidget *campo, int tasto, const QString &carattere);
    void UscitaCampo(QComboBox *campo);
    // Shows a warning, hides the waiting notice and puts the focus on campo.
    void Rifiuta(const QString &avviso, QWidget *campo);

    std::unique_ptr<Ui::TfrmMenuRiepPagamenti> ui;
};
