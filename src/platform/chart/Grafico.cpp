#include "platform/chart/Grafico.h"

#include "platform/Accessibilita.h"
#include "platform/Desktop.h"
#include "platform/chart/GraficoAccessibile.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kPxPerPt = 96.0 / 72.0;
const QColor kFondoMarca(255, 255, 225);
const QColor kBordoMarca(122, 122, 122);
const QColor kTestoMarca(34, 34, 34);
const QColor kTestoAssi(60, 60, 60);

// Fonts are sized in logical pixels so that the printed page, scaled from
// the same logical layout, keeps the proportions of the screen.
QFont Px(const QFont &base, double pixel, bool grassetto = false)
{
    QFont f(base);
    f.setPixelSize(std::max(1, int(std::lround(pixel))));
    if (grassetto)
        f.setBold(true);
    return f;
}

QFont PxDaPunti(const QFont &f)
{
    const double pt = f.pointSizeF() > 0 ? f.pointSizeF() : 9.0;
    return Px(f, pt * kPxPerPt);
}

// Values with the Italian grouping, up to two decimals: 1234.5 -> "1.234,5".
QString Numero(double v)
{
    static const QLocale it(QLocale::Italian, QLocale::Italy);
    QString s = it.toString(v, 'f', 2);
    while (s.endsWith(u'0') && s.contains(u','))
        s.chop(1);
    if (s.endsWith(u','))
        s.chop(1);
    if (s == u"-0")
        s = QStringLiteral("0");
    return s;
}

// A step of 1, 2 or 5 times a power of ten giving about `intervalli` steps.
double PassoTondo(double ampiezza, int intervalli)
{
    const double grezzo = ampiezza / intervalli;
    const double potenza = std::pow(10.0, std::floor(std::log10(grezzo)));
    const double f = grezzo / potenza;
    const double tondo = f <= 1 ? 1 : f <= 2 ? 2 : f <= 5 ? 5 : 10;
    return tondo * potenza;
}

QPointF SuEllisse(const QRectF &r, double gradi)
{
    const double a = qDegreesToRadians(gradi);
    return {r.center().x() + r.width() / 2 * std::cos(a), r.center().y() - r.height() / 2 * std::sin(a)};
}

void Marca(QPainter *p, const QRectF &r, const QString &testo)
{
    if (!p)
        return;
    p->setPen(QPen(kBordoMarca, 1));
    p->setBrush(kFondoMarca);
    p->drawRoundedRect(r, 3, 3);
    p->setPen(kTestoMarca);
    p->drawText(r, Qt::AlignCenter, testo);
}

} // namespace

Grafico::Grafico(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_titolo.font = QFont(QStringLiteral("Verdana"), 14, QFont::Bold);
    m_piede.font = QFont(QStringLiteral("Verdana"), 9, QFont::Bold);
    m_titolo.colore = m_piede.colore = Qt::black;
    GraficoAccessibile::Registra();
}

Grafico::~Grafico() = default;

void Grafico::CambiaTipoSerie(TipoSerie tipo)
{
    if (m_serie.m_tipo == tipo)
        return;
    m_serie.m_tipo = tipo;
    update();
    QAccessibleEvent nome(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nome);
}

void Grafico::PuntiCambiati()
{
    update();
    QAccessibleEvent punti(this, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&punti);
}

QString Grafico::TestoValore(double valore) { return Numero(valore); }

void Grafico::MostraMarche(bool si)
{
    m_serie.m_marche = si;
    update();
}

void Grafico::ImpostaTitolo(const TestoGrafico &t)
{
    m_titolo = t;
    update();
}

void Grafico::ImpostaPiede(const TestoGrafico &t)
{
    m_piede = t;
    update();
}

void Grafico::ImpostaTitoloLegenda(const QString &t)
{
    m_titoloLegenda = t;
    update();
}

void Grafico::ImpostaSfondo(const QColor &c)
{
    m_sfondo = c;
    update();
}

void Grafico::ImpostaColoriAssi(const QColor &griglia, const QColor &tacche)
{
    m_griglia = griglia;
    m_tacche = tacche;
    update();
}

void Grafico::ImpostaView3D(bool si)
{
    m_3d = si;
    update();
}

void Grafico::ImpostaOrtogonale(bool si)
{
    // Only the orthogonal projection is drawn; the setting is kept for callers.
    m_ortogonale = si;
    update();
}

void Grafico::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    Disegna(p, QRectF(rect()));
    if (hasFocus()) {
        // The focus mark, on screen only: a print never has it.
        p.setPen(QPen(Accessibilita::ColoreSegnoFuoco(), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void Grafico::focusInEvent(QFocusEvent *e)
{
    QWidget::focusInEvent(e);
    update();
}

void Grafico::focusOutEvent(QFocusEvent *e)
{
    QWidget::focusOutEvent(e);
    update();
}

void Grafico::Disegna(QPainter &p, const QRectF &area) const
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    Esegui(&p, area);
    p.restore();
}

Grafico::Disposizione Grafico::CalcolaDisposizione(const QRectF &area) const
{
    return Esegui(nullptr, area);
}

bool Grafico::Stampa(QPrinter &stampante) const
{
    Desktop::Corrente().PreparaLavoroStampa(stampante);
    QPainter p;
    if (!p.begin(&stampante))
        return false;
    // Lay the chart out in 1/96-inch units over the printable area and let the
    // painter scale it to the printer's resolution.
    const QPageLayout pagina = stampante.pageLayout();
    const QRectF pollici = pagina.paintRect(QPageLayout::Inch);
    const QRect dispositivo = pagina.paintRectPixels(stampante.resolution());
    const QRect logico(0, 0, int(std::lround(pollici.width() * 96)), int(std::lround(pollici.height() * 96)));
    p.setWindow(logico);
    p.setViewport(0, 0, dispositivo.width(), dispositivo.height());
    Disegna(p, QRectF(logico));
    return p.end();
}

Grafico::Disposizione Grafico::Esegui(QPainter *p, const QRectF &area) const
{
    Disposizione d;
    if (p)
        p->fillRect(area, m_sfondo);
    const double margine = std::clamp(area.width() * 0.012, 6.0, 14.0);
    QRectF r = area.adjusted(margine, margine, -margine, -margine);

    if (!m_titolo.testo.isEmpty()) {
        const QFont f = PxDaPunti(m_titolo.font);
        const QFontMetricsF fm(f);
        const QRectF riga(r.left(), r.top(), r.width(), fm.height());
        if (p) {
            p->setFont(f);
            p->setPen(m_titolo.colore);
            p->drawText(riga, Qt::AlignCenter, fm.elidedText(m_titolo.testo, Qt::ElideRight, riga.width()));
        }
        r.setTop(riga.bottom() + fm.height() * 0.35);
    }
    if (!m_piede.testo.isEmpty()) {
        const QFont f = PxDaPunti(m_piede.font);
        const QFontMetricsF fm(f);
        const QRectF riga(r.left(), r.bottom() - fm.height(), r.width(), fm.height());
        if (p) {
            p->setFont(f);
            p->setPen(m_piede.colore);
            p->drawText(riga, Qt::AlignCenter, fm.elidedText(m_piede.testo, Qt::ElideRight, riga.width()));
        }
        r.setBottom(riga.top() - fm.height() * 0.5);
    }
    // The marks come first: on a small or scaled-up chart a legend that would
    // leave them less than half the room is left out (every mark carries its
    // value, and the points are read out to a screen reader all the same).
    d.legenda = Legenda(nullptr, r);
    if (!d.legenda.isEmpty() && d.legenda.top() - 12 - r.top() < std::max(40.0, r.height() * 0.45))
        d.legenda = QRectF();
    else if (!d.legenda.isEmpty()) {
        Legenda(p, r);
        r.setBottom(d.legenda.top() - 12);
    }
    d.areaDati = r;
    if (r.width() < 40 || r.height() < 40)
        return d;
    if (m_serie.m_tipo == TipoSerie::Barre)
        Barre(p, r, d);
    else
        Torta(p, r, d);
    return d;
}

QRectF Grafico::Legenda(QPainter *p, const QRectF &area) const
{
    const QList<PuntoGrafico> &punti = m_serie.m_punti;
    if (punti.isEmpty() && m_titoloLegenda.isEmpty())
        return {};
    const QFont fVoce = Px(font(), 12);
    const QFont fTitolo = Px(font(), 12, true);
    const QFontMetricsF fm(fVoce);
    const QFontMetricsF fmt(fTitolo);
    const double riquadro = 12, spazio = 6, pad = 8, distacco = 22;
    double lEtichetta = 0, lValore = 0;
    for (const PuntoGrafico &pt : punti) {
        lEtichetta = std::max(lEtichetta, fm.horizontalAdvance(pt.etichetta));
        lValore = std::max(lValore, fm.horizontalAdvance(Numero(pt.valore)));
    }
    const double voce = riquadro + spazio + lEtichetta + 12 + lValore;
    const double altezzaRiga = fm.height() + 4;
    const qsizetype n = punti.size();
    // The fewest rows that fit, each row as full as the others.
    qsizetype colonne = std::max<qsizetype>(n, 1);
    for (qsizetype righe = 1; righe <= std::max<qsizetype>(n, 1); ++righe) {
        colonne = (n + righe - 1) / righe;
        if (colonne * voce + (colonne - 1) * distacco <= area.width() - 2 * pad || colonne <= 1)
            break;
    }
    colonne = std::max<qsizetype>(colonne, 1);
    const qsizetype righe = n == 0 ? 0 : (n + colonne - 1) / colonne;
    const double larghezzaVoci = n == 0 ? 0 : colonne * voce + (colonne - 1) * distacco;
    const double larghezza =
        std::min(area.width(), std::max(larghezzaVoci, fmt.horizontalAdvance(m_titoloLegenda)) + 2 * pad);
    const double altezza = pad + (m_titoloLegenda.isEmpty() ? 0 : fmt.height() + 4) + righe * altezzaRiga + pad - 4;
    const QRectF cornice(area.center().x() - larghezza / 2, area.bottom() - altezza, larghezza, altezza);
    if (!p)
        return cornice;

    p->setPen(Qt::NoPen);
    p->setBrush(QColor(0, 0, 0, 28));
    p->drawRoundedRect(cornice.translated(3, 3), 4, 4);
    p->setPen(QPen(QColor(170, 176, 186), 1));
    p->setBrush(Qt::white);
    p->drawRoundedRect(cornice, 4, 4);
    double y = cornice.top() + pad;
    if (!m_titoloLegenda.isEmpty()) {
        p->setFont(fTitolo);
        p->setPen(kTestoAssi);
        p->drawText(QRectF(cornice.left() + pad, y, cornice.width() - 2 * pad, fmt.height()),
                    Qt::AlignLeft | Qt::AlignVCenter, m_titoloLegenda);
        y += fmt.height() + 4;
    }
    p->setFont(fVoce);
    const double x0 = cornice.center().x() - larghezzaVoci / 2;
    for (qsizetype i = 0; i < n; ++i) {
        const PuntoGrafico &pt = punti[i];
        const double x = x0 + double(i % colonne) * (voce + distacco);
        const double yr = y + double(i / colonne) * altezzaRiga;
        const QRectF colore(x, yr + (altezzaRiga - riquadro) / 2 - 1, riquadro, riquadro);
        p->setPen(QPen(pt.colore.darker(170), 1));
        p->setBrush(pt.colore);
        p->drawRect(colore);
        p->setPen(kTestoAssi);
        const QRectF testo(colore.right() + spazio, yr, voce - riquadro - spazio, altezzaRiga - 2);
        p->drawText(testo, Qt::AlignLeft | Qt::AlignVCenter, pt.etichetta);
        p->drawText(testo, Qt::AlignRight | Qt::AlignVCenter, Numero(pt.valore));
    }
    return cornice;
}

void Grafico::Barre(QPainter *p, const QRectF &area, Disposizione &d) const
{
    const QList<PuntoGrafico> &punti = m_serie.m_punti;
    const qsizetype n = std::max<qsizetype>(punti.size(), 1);
    const QFont fAssi = Px(font(), 12);
    const QFontMetricsF fma(fAssi);

    // Value range, always including zero, widened to round steps.
    double minimo = 0, massimo = 0;
    for (const PuntoGrafico &pt : punti) {
        minimo = std::min(minimo, pt.valore);
        massimo = std::max(massimo, pt.valore);
    }
    if (massimo - minimo <= 0)
        massimo = 10;
    const double passo = PassoTondo(massimo - minimo, 5);
    const double asseMin = std::floor(minimo / passo) * passo;
    const double asseMax = std::ceil(massimo / passo) * passo;
    QList<double> tacche;
    for (double v = asseMin; v <= asseMax + passo / 2; v += passo)
        tacche.append(std::abs(v) < passo / 1e6 ? 0.0 : v);
    double lTacche = 0;
    for (double v : tacche)
        lTacche = std::max(lTacche, fma.horizontalAdvance(Numero(v)));

    const double profondita = m_3d ? std::clamp(area.width() * 0.022, 8.0, 24.0) : 0;
    const double dx = profondita, dy = profondita * 0.8;
    const double sinistra = area.left() + lTacche + 10;
    const double destra = area.right() - dx - 4;
    const double slot = (destra - sinistra) / double(n);

    // Marks: the largest font up to 11 px that fits a slot; if even 8 px is
    // too wide, every other mark moves up one row.
    QFont fMarca = Px(font(), 11, true);
    double lMarca = 0;
    for (double px = 11; px >= 8; px -= 0.5) {
        fMarca = Px(font(), px, true);
        const QFontMetricsF fm(fMarca);
        lMarca = 0;
        for (const PuntoGrafico &pt : punti)
            lMarca = std::max(lMarca, fm.horizontalAdvance(Numero(pt.valore)) + 10);
        if (lMarca <= slot - 4)
            break;
    }
    const bool marche = m_serie.m_marche && !punti.isEmpty();
    const bool sfalsate = marche && lMarca > slot - 4;
    const double hMarca = QFontMetricsF(fMarca).height() + 4;
    const double riservaMarche = marche ? (hMarca + 6) * (sfalsate ? 2 : 1) : 4;

    // Category labels lie flat when they fit their slot, else slant.
    double lEtichetta = 0;
    for (const PuntoGrafico &pt : punti)
        lEtichetta = std::max(lEtichetta, fma.horizontalAdvance(pt.etichetta));
    const bool inclinate = lEtichetta > slot - 6;
    const double hEtichette = inclinate ? (lEtichetta + fma.height()) * M_SQRT1_2 + 8 : fma.height() + 8;

    const double alto = area.top() + riservaMarche + dy;
    const double riservaNegativi = minimo < 0 && marche ? riservaMarche : 0;
    const double basso = area.bottom() - hEtichette - riservaNegativi;
    if (basso - alto < 20)
        return;
    auto Y = [&](double v) { return basso - (v - asseMin) / (asseMax - asseMin) * (basso - alto); };

    if (p) {
        // Walls and floor, then the grid on them.
        p->setPen(QPen(QColor(176, 184, 196), 1));
        p->setBrush(Qt::white);
        p->drawRect(QRectF(sinistra + dx, alto - dy, destra - sinistra, basso - alto));
        if (profondita > 0) {
            p->setBrush(QColor(236, 240, 245));
            p->drawPolygon(QPolygonF({QPointF(sinistra, alto), QPointF(sinistra + dx, alto - dy),
                                      QPointF(sinistra + dx, basso - dy), QPointF(sinistra, basso)}));
            p->setBrush(QColor(222, 228, 236));
            p->drawPolygon(QPolygonF({QPointF(sinistra, basso), QPointF(sinistra + dx, basso - dy),
                                      QPointF(destra + dx, basso - dy), QPointF(destra, basso)}));
        }
        p->setFont(fAssi);
        for (double v : tacche) {
            const double y = Y(v);
            p->setPen(QPen(v == 0 ? m_griglia.darker(130) : m_griglia, 1));
            if (profondita > 0)
                p->drawLine(QPointF(sinistra, y), QPointF(sinistra + dx, y - dy));
            p->drawLine(QPointF(sinistra + dx, y - dy), QPointF(destra + dx, y - dy));
            p->setPen(QPen(m_tacche, 1));
            p->drawLine(QPointF(sinistra - 4, y), QPointF(sinistra, y));
            p->setPen(kTestoAssi);
            p->drawText(QRectF(area.left(), y - fma.height() / 2, lTacche + 4, fma.height()),
                        Qt::AlignRight | Qt::AlignVCenter, Numero(v));
        }
        p->setPen(QPen(m_tacche, 1));
        p->drawLine(QPointF(sinistra, alto), QPointF(sinistra, basso));
        p->drawLine(QPointF(sinistra, basso), QPointF(destra, basso));
    }

    const double zero = Y(0);
    const double bdx = dx * 0.75, bdy = dy * 0.75;
    const double rientro = (dx - bdx) / 2;
    for (qsizetype i = 0; i < punti.size(); ++i) {
        const PuntoGrafico &pt = punti[i];
        const double centro = sinistra + slot * (double(i) + 0.5);
        const double larghezza = std::min(slot * 0.62, 90.0);
        const double x0 = centro - larghezza / 2 + rientro, x1 = x0 + larghezza;
        const double yv = Y(pt.valore);
        const double cima = std::min(yv, zero) - rientro * 0.8, fondo = std::max(yv, zero) - rientro * 0.8;
        if (p) {
            const QPen bordo(pt.colore.darker(165), 1);
            p->setPen(bordo);
            QLinearGradient luce(x0, 0, x1, 0);
            luce.setColorAt(0, pt.colore.lighter(112));
            luce.setColorAt(1, pt.colore);
            p->setBrush(luce);
            p->drawRect(QRectF(x0, cima, larghezza, fondo - cima));
            if (profondita > 0) {
                p->setBrush(pt.colore.darker(128));
                p->drawPolygon(QPolygonF({QPointF(x1, cima), QPointF(x1 + bdx, cima - bdy),
                                          QPointF(x1 + bdx, fondo - bdy), QPointF(x1, fondo)}));
                p->setBrush(pt.colore.lighter(118).value() == pt.colore.value() ? pt.colore.darker(108)
                                                                                 : pt.colore.lighter(118));
                p->drawPolygon(QPolygonF({QPointF(x0, cima), QPointF(x0 + bdx, cima - bdy),
                                          QPointF(x1 + bdx, cima - bdy), QPointF(x1, cima)}));
            }
        }
        if (marche) {
            const QString testo = Numero(pt.valore);
            const double w = QFontMetricsF(fMarca).horizontalAdvance(testo) + 10;
            const double cx = (x0 + x1 + bdx) / 2;
            QRectF box(cx - w / 2, 0, w, hMarca);
            if (pt.valore >= 0)
                box.moveBottom(cima - bdy - 5);
            else
                box.moveTop(fondo + 5);
            // A mark that would cover one already placed moves away from the
            // bar, above it (below a negative bar).
            for (bool spostata = true; spostata;) {
                spostata = false;
                for (const QRectF &altra : std::as_const(d.marche)) {
                    if (!box.intersects(altra.adjusted(-1, -1, 1, 1)))
                        continue;
                    if (pt.valore >= 0)
                        box.moveBottom(altra.top() - 3);
                    else
                        box.moveTop(altra.bottom() + 3);
                    spostata = true;
                }
            }
            d.marche.append(box);
            if (p) {
                p->setFont(fMarca);
                Marca(p, box, testo);
            }
        }
        // Category label, centred under its bar.
        const double ty = basso + riservaNegativi + 6;
        const double w = fma.horizontalAdvance(pt.etichetta);
        if (!inclinate) {
            const QRectF box(centro - w / 2 + rientro, ty, w, fma.height());
            d.etichette.append(box);
            if (p) {
                p->setFont(fAssi);
                p->setPen(kTestoAssi);
                p->drawText(box, Qt::AlignCenter, pt.etichetta);
            }
        } else if (p) {
            p->save();
            p->translate(centro + rientro + fma.height() * 0.3, ty);
            p->rotate(-45);
            p->setFont(fAssi);
            p->setPen(kTestoAssi);
            p->drawText(QRectF(-w - 2, -fma.height() / 2, w, fma.height()), Qt::AlignRight | Qt::AlignVCenter,
                        pt.etichetta);
            p->restore();
        }
    }
}

void Grafico::Torta(QPainter *p, const QRectF &area, Disposizione &d) const
{
    const QList<PuntoGrafico> &punti = m_serie.m_punti;
    double totale = 0;
    for (const PuntoGrafico &pt : punti)
        totale += std::abs(pt.valore);
    const bool marche = m_serie.m_marche && totale > 0;

    const QFont fMarca = Px(font(), 11, true);
    const QFontMetricsF fm(fMarca);
    auto TestoMarca = [](const PuntoGrafico &pt) { return pt.etichetta + QStringLiteral(": ") + Numero(pt.valore); };
    double lMarca = 0;
    if (marche)
        for (const PuntoGrafico &pt : punti)
            if (pt.valore != 0)
                lMarca = std::max(lMarca, fm.horizontalAdvance(TestoMarca(pt)) + 10);
    const double hMarca = fm.height() + 4;
    const double braccio = 26;

    const double inclinazione = m_3d ? 0.55 : 1.0;
    const double fattoreSpessore = m_3d ? 0.16 : 0.0;
    const double lDisponibile = area.width() - 2 * (lMarca + braccio + 6);
    const double hDisponibile = area.height() - (marche ? 2 * hMarca : 8);
    const double rx = std::max(20.0, std::min(lDisponibile / 2, hDisponibile / (2 * inclinazione + fattoreSpessore)));
    const double ry = rx * inclinazione;
    const double spessore = rx * fattoreSpessore;
    const QPointF c(area.center().x(), area.center().y() - spessore / 2);
    const QRectF sopra(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry);
    const QRectF sotto = sopra.translated(0, spessore);

    struct Fetta {
        double inizio, ampiezza;
        const PuntoGrafico *punto;
    };
    QList<Fetta> fette;
    double angolo = 90;
    for (const PuntoGrafico &pt : punti) {
        const double ampiezza = totale > 0 ? -360.0 * std::abs(pt.valore) / totale : 0;
        fette.append({angolo, ampiezza, &pt});
        angolo += ampiezza;
    }

    if (p) {
        const QPen bordo(QColor(0, 0, 0, 90), 1);
        if (totale <= 0) {
            // Nothing to share out: an empty disc.
            p->setPen(bordo);
            p->setBrush(QColor(214, 220, 228));
            if (spessore > 0) {
                QPainterPath lato;
                lato.moveTo(SuEllisse(sopra, 180));
                lato.arcTo(sopra, 180, 180);
                lato.lineTo(SuEllisse(sotto, 360));
                lato.arcTo(sotto, 360, -180);
                lato.closeSubpath();
                p->drawPath(lato);
            }
            p->setBrush(QColor(232, 236, 241));
            p->drawEllipse(sopra);
        } else {
            // Outer wall: only the front half of the rim shows.
            if (spessore > 0) {
                for (const Fetta &f : fette) {
                    if (f.ampiezza == 0)
                        continue;
                    const double alto = f.inizio, basso = f.inizio + f.ampiezza;
                    for (int k = -1; k <= 1; ++k) {
                        const double da = std::max(basso, 180.0 + 360 * k);
                        const double a = std::min(alto, 360.0 + 360 * k);
                        if (da >= a)
                            continue;
                        QPainterPath lato;
                        lato.moveTo(SuEllisse(sopra, da));
                        lato.arcTo(sopra, da, a - da);
                        lato.lineTo(SuEllisse(sotto, a));
                        lato.arcTo(sotto, a, da - a);
                        lato.closeSubpath();
                        QLinearGradient ombra(sopra.left(), 0, sopra.right(), 0);
                        ombra.setColorAt(0, f.punto->colore.darker(150));
                        ombra.setColorAt(0.4, f.punto->colore.darker(112));
                        ombra.setColorAt(1, f.punto->colore.darker(165));
                        p->setPen(bordo);
                        p->setBrush(ombra);
                        p->drawPath(lato);
                    }
                }
            }
            for (const Fetta &f : fette) {
                if (f.ampiezza == 0)
                    continue;
                QPainterPath spicchio;
                spicchio.moveTo(c);
                spicchio.arcTo(sopra, f.inizio, f.ampiezza);
                spicchio.closeSubpath();
                p->setPen(bordo);
                p->setBrush(f.punto->colore);
                p->drawPath(spicchio);
            }
        }
    }
    if (!marche)
        return;

    // Marks sit outside the pie, left or right of it, spread vertically so
    // that none overlaps another; a leader joins each to its slice.
    struct Etichetta {
        QString testo;
        QPointF ancora;
        double y;
        bool destra;
    };
    QList<Etichetta> lati[2];
    for (const Fetta &f : fette) {
        if (f.punto->valore == 0)
            continue;
        const double medio = f.inizio + f.ampiezza / 2;
        const double s = std::sin(qDegreesToRadians(medio));
        const bool destra = std::cos(qDegreesToRadians(medio)) >= 0;
        QPointF ancora = SuEllisse(sopra.adjusted(rx * 0.08, ry * 0.08, -rx * 0.08, -ry * 0.08), medio);
        if (s < 0)
            ancora.ry() += spessore * 0.2;
        const double desiderata = SuEllisse(sopra.adjusted(-18, -hMarca * 0.7, 18, hMarca * 0.7), medio).y()
            + (s < 0 ? spessore : 0);
        lati[destra ? 1 : 0].append({TestoMarca(*f.punto), ancora, desiderata, destra});
    }
    const double passo = hMarca + 3;
    const double primo = area.top() + hMarca / 2, ultimo = area.bottom() - hMarca / 2;
    for (QList<Etichetta> &lato : lati) {
        std::sort(lato.begin(), lato.end(), [](const Etichetta &a, const Etichetta &b) { return a.y < b.y; });
        for (qsizetype i = 0; i < lato.size(); ++i)
            lato[i].y = std::max(lato[i].y, i == 0 ? primo : lato[i - 1].y + passo);
        for (qsizetype i = lato.size() - 1; i >= 0; --i)
            lato[i].y = std::min(lato[i].y, i == lato.size() - 1 ? ultimo : lato[i + 1].y - passo);
        for (const Etichetta &e : lato) {
            // Follow the outline of the pie at the height of the mark's inner edge.
            const double bordoVicino = e.y < c.y() ? e.y + hMarca / 2 : e.y - hMarca / 2;
            double dyc = 0;
            if (bordoVicino < c.y())
                dyc = c.y() - bordoVicino;
            else if (bordoVicino > c.y() + spessore)
                dyc = bordoVicino - c.y() - spessore;
            const double q = dyc >= ry ? 0 : std::sqrt(1 - (dyc / ry) * (dyc / ry));
            const double w = fm.horizontalAdvance(e.testo) + 10;
            // Never nearer the centre than the anchor, so the leader runs outward.
            const double bordoX = e.destra ? std::max(c.x() + rx * q + braccio, e.ancora.x() + 16)
                                           : std::min(c.x() - rx * q - braccio, e.ancora.x() - 16);
            const QRectF box(e.destra ? bordoX : bordoX - w, e.y - hMarca / 2, w, hMarca);
            d.marche.append(box);
            if (p) {
                const QPointF gomito(e.destra ? bordoX - 10 : bordoX + 10, e.y);
                p->setPen(QPen(QColor(80, 80, 80), 1));
                p->setBrush(Qt::NoBrush);
                p->drawPolyline(QPolygonF({e.ancora, gomito, QPointF(bordoX, e.y)}));
                p->setBrush(QColor(80, 80, 80));
                p->drawEllipse(e.ancora, 1.8, 1.8);
                p->setFont(fMarca);
                Marca(p, box, e.testo);
            }
        }
    }
}
