#pragma once
// One object of a report design: a text, a rectangle or a line, placed in
// millimetres inside its band (or on the page, when the page has no bands).

#include <QColor>
#include <QRectF>
#include <QString>
#include <QStringList>

// Report designs store positions in units of 1/96 inch; code that computes
// heights in those units converts them here.
namespace UnitaReport {
constexpr double PerMm = 96.0 / 25.4;
constexpr double InMm(double unita) { return unita / PerMm; }
constexpr double DaMm(double mm) { return mm * PerMm; }
} // namespace UnitaReport

struct StileTesto {
    QString famiglia = QStringLiteral("Arial");
    double punti = 10.0;
    bool grassetto = false;
    QColor colore = Qt::black;
    Qt::Alignment allineamento = Qt::AlignLeft | Qt::AlignTop;
    bool aCapo = false; // word wrap inside the box
};

class OggettoReport {
public:
    enum class Genere { Testo, Rettangolo, Linea };

    QString nome;
    Genere genere = Genere::Testo;
    QRectF mm;                 // left, top, width, height in millimetres
    QColor riempimento;        // invalid: no fill
    QColor contorno;           // invalid: no outline
    double spessoreContorno = UnitaReport::InMm(1.0);
    StileTesto stile;
    double interlinea = 0.0;   // line pitch in mm; 0: taken from the font size

    // The text is kept as lines and printed literally, brackets included:
    // record data must never be read as an expression.
    QString Testo() const { return m_righe.join(QLatin1Char('\n')); }
    void ImpostaTesto(const QString &testo);
    void SvuotaRighe() { m_righe.clear(); }
    void AggiungiRiga(const QString &riga) { m_righe.append(riga); }
    const QStringList &Righe() const { return m_righe; }
    qsizetype NumeroRighe() const { return m_righe.size(); }

    double Altezza() const { return mm.height(); }
    void ImpostaAltezza(double altezzaMm) { mm.setHeight(altezzaMm); }
    // The pitch used to lay out and split the lines.
    double Passo() const;

private:
    QStringList m_righe;
};
