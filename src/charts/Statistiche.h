#pragma once
// The charts screen: the twelve monthly totals of a calendar year drawn as
// three-dimensional bars or pie, and printed. A start-up screen, shown and
// hidden for the whole run; every showing starts again from the year panel.

#include "platform/Differita.h"

#include <QColor>
#include <QWidget>
#include <memory>

namespace Ui { class TfrmStatistiche; }
class Grafico;
class QPrinter;

class TfrmStatistiche : public Differita<QWidget> {
    Q_OBJECT
public:
    explicit TfrmStatistiche(QWidget *parent = nullptr);
    ~TfrmStatistiche() override;

    // The chart as designed: titles, legend, colours, one bar series.
    static void ImpostaGrafico(Grafico &g);
    // The label and colour of the point of month m (0 = January).
    static QString NomeMese(int m);
    static QColor ColoreMese(int m);

protected:
    void Costruisci() override;
    bool eventFilter(QObject *o, QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    void FormShow();
    bool txtAnnoKeyDown(QKeyEvent *e);
    void btnApriClick();
    void btnBarreClick();
    void btnTortaClick();
    void btnStampaClick();
    void imgGuidaClick();
    void FormMouseMove();

    std::unique_ptr<Ui::TfrmStatistiche> ui;
    // Kept for the run, so the printer chosen last is offered again.
    std::unique_ptr<QPrinter> m_stampante;
};
