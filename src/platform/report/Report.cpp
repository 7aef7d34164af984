#include "platform/report/Report.h"

#include "platform/Desktop.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPrinter>
#include <QtDebug>

namespace {

// A design that does not read is a fault of the program, not of the user:
// loading stops at the first problem and says where.
struct Lettore {
    QString errore;

    bool Fallisci(const QString &dove, const QString &cosa)
    {
        if (errore.isEmpty())
            errore = dove + QStringLiteral(": ") + cosa;
        return false;
    }

    bool Colore(const QJsonObject &o, const QString &chiave, QColor &colore, const QString &dove)
    {
        if (!o.contains(chiave))
            return true;
        colore = QColor(o.value(chiave).toString());
        return colore.isValid() || Fallisci(dove, QStringLiteral("colore non valido in ") + chiave);
    }

    bool Oggetto(const QJsonObject &o, OggettoReport &r)
    {
        r.nome = o.value(u"nome").toString();
        const QString dove = r.nome.isEmpty() ? QStringLiteral("oggetto senza nome") : r.nome;
        if (r.nome.isEmpty())
            return Fallisci(dove, QStringLiteral("manca il nome"));

        const QString tipo = o.value(u"tipo").toString();
        if (tipo == u"testo")
            r.genere = OggettoReport::Genere::Testo;
        else if (tipo == u"rettangolo")
            r.genere = OggettoReport::Genere::Rettangolo;
        else if (tipo == u"linea")
            r.genere = OggettoReport::Genere::Linea;
        else
            return Fallisci(dove, QStringLiteral("tipo sconosciuto"));

        const QJsonArray pos = o.value(u"posizione").toArray();
        if (pos.size() != 4)
            return Fallisci(dove, QStringLiteral("la posizione vuole sinistra, alto, larghezza, altezza"));
        r.mm = QRectF(pos[0].toDouble(), pos[1].toDouble(), pos[2].toDouble(), pos[3].toDouble());

        if (!Colore(o, QStringLiteral("riempimento"), r.riempimento, dove)
            || !Colore(o, QStringLiteral("contorno"), r.contorno, dove)
            || !Colore(o, QStringLiteral("colore"), r.stile.colore, dove))
            return false;
        if (r.genere == OggettoReport::Genere::Linea && !r.contorno.isValid())
            r.contorno = Qt::black;
        r.spessoreContorno = o.value(u"spessoreContorno").toDouble(r.spessoreContorno);

        const QJsonObject car = o.value(u"carattere").toObject();
        r.stile.famiglia = car.value(u"famiglia").toString(r.stile.famiglia);
        r.stile.punti = car.value(u"punti").toDouble(r.stile.punti);
        r.stile.grassetto = car.value(u"grassetto").toBool(false);
        if (r.stile.punti <= 0)
            return Fallisci(dove, QStringLiteral("dimensione del carattere non valida"));

        Qt::Alignment orizz = Qt::AlignLeft;
        const QString a = o.value(u"allineamento").toString(QStringLiteral("sinistra"));
        if (a == u"centro")
            orizz = Qt::AlignHCenter;
        else if (a == u"destra")
            orizz = Qt::AlignRight;
        else if (a != u"sinistra")
            return Fallisci(dove, QStringLiteral("allineamento sconosciuto"));
        Qt::Alignment vert = Qt::AlignTop;
        const QString v = o.value(u"verticale").toString(QStringLiteral("alto"));
        if (v == u"centro")
            vert = Qt::AlignVCenter;
        else if (v == u"basso")
            vert = Qt::AlignBottom;
        else if (v != u"alto")
            return Fallisci(dove, QStringLiteral("allineamento verticale sconosciuto"));
        r.stile.allineamento = orizz | vert;
        r.stile.aCapo = o.value(u"aCapo").toBool(false);
        r.interlinea = o.value(u"interlinea").toDouble(0.0);
        r.ImpostaTesto(o.value(u"testo").toString());
        return true;
    }

    bool Oggetti(const QJsonArray &a, QList<OggettoReport> &lista)
    {
        for (const QJsonValue &v : a) {
            OggettoReport r;
            if (!Oggetto(v.toObject(), r))
                return false;
            lista.append(r);
        }
        return true;
    }

    bool Banda(const QJsonObject &o, BandaReport &b)
    {
        b.nome = o.value(u"nome").toString();
        const QString genere = o.value(u"genere").toString();
        if (genere == u"titolo")
            b.genere = BandaReport::Genere::Titolo;
        else if (genere == u"dati")
            b.genere = BandaReport::Genere::Dati;
        else if (genere == u"piede")
            b.genere = BandaReport::Genere::Piede;
        else
            return Fallisci(b.nome, QStringLiteral("genere di banda sconosciuto"));
        b.altezza = o.value(u"altezza").toDouble(-1);
        if (b.altezza < 0)
            return Fallisci(b.nome, QStringLiteral("altezza mancante"));
        b.divisibile = o.value(u"divisibile").toBool(false);
        return Oggetti(o.value(u"oggetti").toArray(), b.oggetti);
    }

    bool Pagina(const QJsonObject &o, PaginaReport &p)
    {
        p.nome = o.value(u"nome").toString();
        const QJsonArray f = o.value(u"formato").toArray();
        if (f.size() != 2 || f[0].toDouble() <= 0 || f[1].toDouble() <= 0)
            return Fallisci(p.nome, QStringLiteral("formato della carta non valido"));
        p.formato = QSizeF(f[0].toDouble(), f[1].toDouble());
        const QString orient = o.value(u"orientamento").toString(QStringLiteral("verticale"));
        if (orient == u"orizzontale")
            p.orientamento = QPageLayout::Landscape;
        else if (orient == u"verticale")
            p.orientamento = QPageLayout::Portrait;
        else
            return Fallisci(p.nome, QStringLiteral("orientamento sconosciuto"));
        const QJsonArray m = o.value(u"margini").toArray();
        if (m.size() != 4)
            return Fallisci(p.nome, QStringLiteral("i margini vogliono sinistro, alto, destro, basso"));
        p.margini = QMarginsF(m[0].toDouble(), m[1].toDouble(), m[2].toDouble(), m[3].toDouble());
        for (const QJsonValue &v : o.value(u"bande").toArray()) {
            BandaReport b;
            if (!Banda(v.toObject(), b))
                return false;
            p.bande.append(b);
        }
        return Oggetti(o.value(u"oggetti").toArray(), p.oggetti);
    }
};

QPageLayout Impaginazione(const PaginaPreparata &p)
{
    // Margins belong to the design: the printer gets the full sheet.
    const QSizeF verticale = p.orientamento == QPageLayout::Landscape ? p.carta.transposed() : p.carta;
    return QPageLayout(QPageSize(verticale, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
                       p.orientamento, QMarginsF(), QPageLayout::Millimeter);
}

} // namespace

QSizeF PaginaReport::Carta() const
{
    return orientamento == QPageLayout::Landscape ? formato.transposed() : formato;
}

const OggettoReport *PaginaPreparata::Trova(const QString &nome) const
{
    for (const OggettoReport &o : oggetti)
        if (o.nome == nome)
            return &o;
    return nullptr;
}

const PaginaPreparata::PezzoBanda *PaginaPreparata::TrovaBanda(const QString &nome) const
{
    for (const PezzoBanda &b : bande)
        if (b.nome == nome)
            return &b;
    return nullptr;
}

static void InizializzaDesign()
{
    // The designs live in the static GUI library's resources; pull them in
    // even when no screen has done so yet.
    static const bool fatto = [] {
        Q_INIT_RESOURCE(valmora);
        return true;
    }();
    Q_UNUSED(fatto);
}

std::optional<Report> Report::Carica(const QString &percorso)
{
    InizializzaDesign();
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "report design not found:" << percorso;
        return std::nullopt;
    }
    QString errore;
    auto r = DaJson(f.readAll(), &errore);
    if (!r)
        qWarning().noquote() << "report design" << percorso << "unreadable:" << errore;
    return r;
}

std::optional<Report> Report::DaJson(const QByteArray &json, QString *errore)
{
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &pe);
    if (doc.isNull() || !doc.isObject()) {
        if (errore)
            *errore = pe.errorString();
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    Report r;
    r.m_nome = o.value(u"nome").toString();
    Lettore l;
    for (const QJsonValue &v : o.value(u"pagine").toArray()) {
        PaginaReport p;
        if (!l.Pagina(v.toObject(), p))
            break;
        r.m_pagine.append(p);
    }
    if (l.errore.isEmpty() && r.m_pagine.isEmpty())
        l.errore = QStringLiteral("nessuna pagina");
    if (!l.errore.isEmpty()) {
        if (errore)
            *errore = l.errore;
        return std::nullopt;
    }
    return r;
}

PaginaReport *Report::Pagina(const QString &nome)
{
    for (PaginaReport &p : m_pagine)
        if (p.nome == nome)
            return &p;
    return nullptr;
}

OggettoReport *Report::Oggetto(const QString &nome)
{
    for (PaginaReport &p : m_pagine) {
        for (OggettoReport &o : p.oggetti)
            if (o.nome == nome)
                return &o;
        for (BandaReport &b : p.bande)
            for (OggettoReport &o : b.oggetti)
                if (o.nome == nome)
                    return &o;
    }
    return nullptr;
}

BandaReport *Report::Banda(const QString &nome)
{
    for (PaginaReport &p : m_pagine)
        for (BandaReport &b : p.bande)
            if (b.nome == nome)
                return &b;
    return nullptr;
}

bool Report::Stampa(QWidget *genitore)
{
    if (m_preparate.isEmpty())
        return false;

    QPrinter stampante(QPrinter::HighResolution);
    stampante.setDocName(m_nome);
    stampante.setFullPage(true);
    stampante.setPageLayout(Impaginazione(m_preparate.first()));
    if (!Desktop::Corrente().DialogoStampa(stampante, genitore))
        return false;

    const int ultima = int(m_preparate.size());
    int da = 1;
    int a = ultima;
    if (stampante.printRange() == QPrinter::PageRange && stampante.fromPage() > 0) {
        da = stampante.fromPage();
        a = stampante.toPage() > 0 ? qMin(stampante.toPage(), ultima) : ultima;
    }
    if (da > a)
        return false;

    // The design decides paper and orientation, whatever the dialog left.
    stampante.setFullPage(true);
    stampante.setPageLayout(Impaginazione(m_preparate.at(da - 1)));
    Desktop::Corrente().PreparaLavoroStampa(stampante);
    QPainter p;
    if (!p.begin(&stampante)) {
        qWarning() << "the printer did not start";
        return false;
    }
    const double pixelPerMm = stampante.resolution() / 25.4;
    for (int i = da; i <= a; ++i) {
        const PaginaPreparata &pagina = m_preparate.at(i - 1);
        if (i > da) {
            stampante.setPageLayout(Impaginazione(pagina));
            stampante.newPage();
        }
        Disegna(p, pagina, pixelPerMm);
    }
    return p.end();
}
