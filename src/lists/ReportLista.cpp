#include "lists/ReportLista.h"

#include "platform/Desktop.h"
#include "platform/Testo.h"

namespace {
// Each line of the body takes 12.822 units; the band keeps 10 more below it.
constexpr double UnitaPerRiga = 12.822;
constexpr double UnitaSottoTesto = 10.0;
} // namespace

std::optional<Report> PreparaReportLista(const QString &nomeReport, const QString &titolo,
                                         const QStringList &righe)
{
    std::optional<Report> report = Report::Carica(QStringLiteral(":/reports/lista.json"));
    if (!report)
        return std::nullopt;
    OggettoReport *txtTitolo = report->Oggetto(QStringLiteral("txtTitolo"));
    OggettoReport *txtPagina = report->Oggetto(QStringLiteral("txtPagina"));
    OggettoReport *txtRiepilogo = report->Oggetto(QStringLiteral("txtRiepilogo"));
    BandaReport *masterData = report->Banda(QStringLiteral("MasterData"));
    if (!txtTitolo || !txtPagina || !txtRiepilogo || !masterData)
        return std::nullopt;

    report->ImpostaNome(nomeReport);
    txtTitolo->ImpostaTesto(titolo);
    const QDateTime adesso = Desktop::Corrente().Adesso();
    txtPagina->ImpostaTesto(QStringLiteral("Stampa eseguita in data ") + Testo::FormattaData(adesso.date())
                            + QStringLiteral(" alle ore ") + adesso.time().toString(u"hh:mm:ss"));

    txtRiepilogo->SvuotaRighe();
    for (const QString &riga : righe)
        txtRiepilogo->AggiungiRiga(riga);
    txtRiepilogo->ImpostaAltezza(UnitaReport::InMm(double(txtRiepilogo->NumeroRighe()) * UnitaPerRiga));
    masterData->ImpostaAltezza(txtRiepilogo->Altezza() + UnitaReport::InMm(UnitaSottoTesto));

    report->Prepara();
    return report;
}

bool StampaReportLista(QWidget *chiamante, const QString &nomeReport, const QString &titolo,
                       const QStringList &righe)
{
    std::optional<Report> report = PreparaReportLista(nomeReport, titolo, righe);
    return report && report->Stampa(chiamante);
}
