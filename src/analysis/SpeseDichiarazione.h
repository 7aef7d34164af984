#pragma once
// "Spese per la dichiarazione": the payments of a calendar year whose types
// the user ticks, by date, with what the return asks for each (document,
// payee and his tax code or VAT number, checked; the amount paid), totals
// per type and overall; printed and exported. The ticked types are
// remembered for the run. Created for one use and shown modally.

#include "analysis/Dichiarazione.h"

#include <QDialog>
#include <memory>

namespace Ui { class TfrmSpeseDichiarazione; }

class TfrmSpeseDichiarazione : public QDialog {
    Q_OBJECT
public:
    TfrmSpeseDichiarazione(int anno, QWidget *parent = nullptr);
    ~TfrmSpeseDichiarazione() override;

    static QString NomeFileEsportazione(); // "Spese_Dichiarazione.xls"
    const ElencoDichiarazione &Elenco() const { return m_elenco; }
    // The types ticked, in the order of the list.
    QStringList Spuntate() const;

protected:
    void showEvent(QShowEvent *evento) override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void CaricaTipologie();
    void btnElencaClick();
    void btnStampaClick();
    void btnEsportaClick();
    void btnGuidaClick();
    void RicordaScelta();

    std::unique_ptr<Ui::TfrmSpeseDichiarazione> ui;
    ElencoDichiarazione m_elenco;
    int m_annoElencato = 0;
    QStringList m_tipologieElencate;
    bool m_caricato = false;
};
