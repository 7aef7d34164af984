#pragma once
// "Analisi spese": the payments of the summary's interval grouped by type,
// payee or code, against the same days a year earlier; the records of a
// group as result lines, recalled into the register editor from there; the
// groups as a chart; print and export. Opened by the summary criteria screen
// for its interval and filters, created for one use and shown modally.

#include "analysis/Analisi.h"

#include <QDialog>
#include <memory>

namespace Ui { class TfrmAnalisiSpese; }
class QPrinter;
class QStandardItemModel;
class OrdineGruppi;

class TfrmAnalisiSpese : public QDialog {
    Q_OBJECT
public:
    TfrmAnalisiSpese(const CriteriRiepilogo &criteri, QWidget *parent = nullptr);
    ~TfrmAnalisiSpese() override;

    // The file of the export, in the program folder.
    static QString NomeFileEsportazione(); // "Analisi_Spese.xls"
    const AnalisiSpese &Analisi() const { return m_analisi; }

protected:
    void showEvent(QShowEvent *evento) override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    Raggruppamento Scelto() const;
    // Reads the archive for the grouping chosen and fills table and chart.
    void Riempi();
    void MostraGruppi();
    void MostraGrafico();
    // The records of the group on the row of the table, as result lines.
    void ElencaGruppo(int riga);
    void RichiamaScheda();
    void btnStampaClick();
    void btnStampaGraficoClick();
    void btnEsportaClick();
    void btnGuidaClick();
    QString TestoPrecedente() const;

    std::unique_ptr<Ui::TfrmAnalisiSpese> ui;
    CriteriRiepilogo m_criteri;
    AnalisiSpese m_analisi;
    QStandardItemModel *m_modello = nullptr;
    OrdineGruppi *m_ordine = nullptr;
    std::unique_ptr<QPrinter> m_stampante;
    bool m_riempito = false;
};
