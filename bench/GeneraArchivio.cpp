#include "GeneraArchivio.h"

#include "platform/Testo.h"

#include <QDate>
#include <QFile>
#include <QRandomGenerator>
#include <array>

namespace GeneraArchivio {

namespace {

struct Fornitore {
    const char16_t *nome;
    const char16_t *codFisc;
    const char16_t *codice;
    const char16_t *tipologia;
    const char16_t *servizi;
    double minimo, massimo;
};

const std::array<Fornitore, 16> kFornitori = {{
    {u"ENEL ENERGIA S.P.A.", u"06655971007", u"LUCE", u"Energia elettrica", u"Fornitura energia elettrica bimestrale", 40, 260},
    {u"ITALGAS RETI S.P.A.", u"00489490011", u"GAS", u"Gas metano", u"Fornitura gas metano per riscaldamento", 30, 320},
    {u"ACQUEDOTTO PUGLIESE", u"00347000721", u"ACQUA", u"Servizio idrico", u"Canone e consumi acqua potabile", 20, 140},
    {u"TIM S.P.A.", u"00488410010", u"TEL", u"Telefonia", u"Abbonamento fibra e telefono fisso", 25, 45},
    {u"CONDOMINIO VIA GARIBALDI 12", u"97123450155", u"COND", u"Spese condominiali", u"Rata ordinaria spese condominiali", 80, 450},
    {u"COMUNE DI BERGAMO", u"80034840167", u"TARI", u"Tributi locali", u"Tassa sui rifiuti, rata semestrale", 90, 380},
    {u"AGENZIA DELLE ENTRATE", u"06363391001", u"IMU", u"Imposte", u"Imposta municipale propria, acconto", 120, 900},
    {u"FARMACIA SAN ROCCO", u"RSSMRA70A01H501S", u"FARM", u"Salute", u"Medicinali e parafarmaci", 5, 80},
    {u"DOTT. BIANCHI LUCIA", u"BNCLCU75D45F205X", u"MED", u"Visite mediche", u"Visita specialistica cardiologica", 80, 200},
    {u"AUTOFFICINA F.LLI ROSSI", u"01234560165", u"AUTO", u"Manutenzione auto", u"Tagliando, cambio olio e filtri", 120, 650},
    {u"ASSICURAZIONI GENERALI", u"00079760328", u"RCA", u"Assicurazione", u"Polizza RC auto annuale", 300, 900},
    {u"SCUOLA PRIMARIA G. PASCOLI", u"80012340163", u"SCUOLA", u"Istruzione", u"Mensa scolastica e gita d'istruzione", 30, 250},
    {u"PALESTRA FORMA & SALUTE", u"02345670984", u"SPORT", u"Attività sportive", u"Abbonamento trimestrale palestra", 90, 240},
    {u"ESSELUNGA S.P.A.", u"04916380159", u"SPESA", u"Alimentari", u"Spesa settimanale alimentari e casa", 35, 220},
    {u"IDRAULICA CAFFÈ & FIGLI", u"03456780123", u"MANUT", u"Manutenzione casa", u"Riparazione caldaia e sostituzione valvola", 70, 480},
    {u"BANCA POPOLARE DI SONDRIO", u"00053810149", u"MUTUO", u"Finanziamenti", u"Rata mutuo prima casa", 450, 900},
}};

QString Importo(double v)
{
    const qint64 centesimi = qint64(v * 100 + 0.5);
    return QString::number(centesimi / 100) + u',' + QStringLiteral("%1").arg(centesimi % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

TScheda Scheda(quint32 seme, qint64 i)
{
    QRandomGenerator rng(seme ^ quint32(i * 2654435761u));
    const Fornitore &f = kFornitori[rng.bounded(int(kFornitori.size()))];
    const QDate data = QDate(2005, 1, 1).addDays(rng.bounded(20 * 365));
    const double dovuto = f.minimo + rng.generateDouble() * (f.massimo - f.minimo);
    const bool acconto = rng.bounded(10) == 0;
    const double versato = acconto ? std::floor(dovuto / 2) : 0.0;
    TScheda s;
    s.ImpostaTesto(Campo::NumDoc, QStringLiteral("%1/%2").arg(rng.bounded(1, 9999)).arg(data.year()));
    s.ImpostaTesto(Campo::DataDoc, Testo::FormattaData(data.addDays(-int(rng.bounded(20)))));
    s.ImpostaTesto(Campo::Fornitore, QString::fromUtf16(f.nome));
    s.ImpostaTesto(Campo::CodFisc, QString::fromUtf16(f.codFisc));
    s.ImpostaTesto(Campo::Data, Testo::FormattaData(data));
    s.ImpostaTesto(Campo::Codice, QString::fromUtf16(f.codice));
    s.ImpostaTesto(Campo::Tipologia, QString::fromUtf16(f.tipologia));
    s.ImpostaTesto(Campo::Servizi, QString::fromUtf16(f.servizi));
    s.ImpostaTesto(Campo::Dettagli, QStringLiteral("Pagamento n. %1 tramite bonifico").arg(i + 1));
    s.ImpostaTesto(Campo::Dovuto, Importo(dovuto));
    s.ImpostaTesto(Campo::Acconto, Importo(versato));
    s.ImpostaTesto(Campo::Saldo, Importo(dovuto - versato));
    s.ImpostaTesto(Campo::Note, rng.bounded(4) == 0 ? QStringLiteral("Verificare la ricevuta") : QString());
    s.ImpostaTesto(Campo::DaSaldare, acconto ? QStringLiteral("Sì") : QStringLiteral("No"));
    return s;
}

bool Scrivi(const QString &percorso, qint64 n, quint32 seme)
{
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray blocco;
    blocco.reserve(1024 * TScheda::Dimensione);
    for (qint64 i = 0; i < n; ++i) {
        const TScheda s = Scheda(seme, i);
        blocco.append(s.byte.data(), TScheda::Dimensione);
        if (blocco.size() >= 1024 * TScheda::Dimensione || i + 1 == n) {
            if (f.write(blocco) != blocco.size())
                return false;
            blocco.clear();
        }
    }
    return f.flush() && (f.close(), f.error() == QFileDevice::NoError);
}

} // namespace GeneraArchivio
