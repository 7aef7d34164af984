#pragma once

#include "platform/Differita.h"

#include <QWidget>
#include <functional>
#include <memory>

namespace Ui { class TfrmMenuRiepPagamenti; }
class QComboBox;
class QDialog;
struct CriteriRiepilogo;

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

    // The analyses live above this folder: the program tells the screen how
    // to create them, for the interval and filters given here or for the year.
    using CreaAnalisi = std::function<QDialog *(QWidget *genitore, const CriteriRiepilogo &criteri)>;
    using CreaElencoAnno = std::function<QDialog *(QWidget *genitore, int anno)>;
    void ImpostaAnalisi(CreaAnalisi analisi, CreaElencoAnno dichiarazione);

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void btnVisualizzaClick();
    void btnAnalisiClick();
    void btnDichiarazioneClick();
    void AggiornaAnno();
    bool TastoCampo(QWidget *campo, int tasto, const QString &carattere);
    void UscitaCampo(QComboBox *campo);
    // Shows a warning, hides the waiting notice and puts the focus on campo.
    void Rifiuta(const QString &avviso, QWidget *campo);

    std::unique_ptr<Ui::TfrmMenuRiepPagamenti> ui;
    CreaAnalisi m_analisi;
    CreaElencoAnno m_dichiarazione;
    // Visualizza checks the criteria for the analysis too, then opens it.
    bool m_perAnalisi = false;
};
