#pragma once
// A chart of one series of points (value, label, colour), drawn as bars or as
// a pie, flat or in a three-dimensional orthogonal view, with a title, a foot,
// marks showing each point's value and a legend at the bottom. The same
// drawing serves the screen and the printer.

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QWidget>

class QPainter;
class QPrinter;

struct PuntoGrafico {
    double valore = 0;
    QString etichetta;
    QColor colore;
};

enum class TipoSerie { Barre, Torta };

class SerieGrafico {
public:
    explicit SerieGrafico(QString nome) : m_nome(std::move(nome)) {}

    const QString &Nome() const { return m_nome; }
    TipoSerie Tipo() const { return m_tipo; }
    const QList<PuntoGrafico> &Punti() const { return m_punti; }
    bool MarcheVisibili() const { return m_marche; }

    void Clear() { m_punti.clear(); }
    void Add(double valore, const QString &etichetta, const QColor &colore)
    {
        m_punti.append({valore, etichetta, colore});
    }

private:
    friend class Grafico;
    QString m_nome;
    TipoSerie m_tipo = TipoSerie::Barre;
    bool m_marche = true;
    QList<PuntoGrafico> m_punti;
};

class Grafico : public QWidget {
    Q_OBJECT
public:
    struct TestoGrafico {
        QString testo;
        QFont font;
        QColor colore;
    };

    explicit Grafico(QWidget *parent = nullptr);
    ~Grafico() override;

    // The one series. Changing its kind keeps its name, points and marks;
    // asking for the kind it already has does nothing.
    SerieGrafico &Serie() { return m_serie; }
    const SerieGrafico &Serie() const { return m_serie; }
    void CambiaTipoSerie(TipoSerie tipo);
    // Redraws after the points of the series were changed, and tells a
    // screen reader that the chart's children changed.
    void PuntiCambiati();
    // A value as the legend and the marks write it: Italian grouping, up to
    // two decimals.
    static QString TestoValore(double valore);
    void MostraMarche(bool si);

    void ImpostaTitolo(const TestoGrafico &t);
    void ImpostaPiede(const TestoGrafico &t);
    const TestoGrafico &Titolo() const { return m_titolo; }
    const TestoGrafico &Piede() const { return m_piede; }
    void ImpostaTitoloLegenda(const QString &t);
    const QString &TitoloLegenda() const { return m_titoloLegenda; }
    void ImpostaSfondo(const QColor &c);
    QColor Sfondo() const { return m_sfondo; }
    void ImpostaColoriAssi(const QColor &griglia, const QColor &tacche);

    void ImpostaView3D(bool si);
    void ImpostaOrtogonale(bool si);
    bool View3D() const { return m_3d; }
    bool Ortogonale() const { return m_ortogonale; }

    // Draws the whole chart in the rectangle, in logical pixels of 1/96 inch.
    void Disegna(QPainter &p, const QRectF &area) const;
    // Prints the chart as it is now on one page of the printer, as a job of
    // its own (the desktop seam chooses where the job goes). False when the
    // printer cannot start.
    bool Stampa(QPrinter &stampante) const;

    // Where the marks, the category labels and the legend go in an area of
    // this size, for checks that nothing overlaps.
    struct Disposizione {
        QList<QRectF> marche;
        QList<QRectF> etichette;
        QRectF legenda;
        QRectF areaDati;
    };
    Disposizione CalcolaDisposizione(const QRectF &area) const;

    QSize sizeHint() const override { return {900, 560}; }
    QSize minimumSizeHint() const override { return {480, 320}; }

protected:
    void paintEvent(QPaintEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    // Lays the chart out in the area and, with a painter, draws it.
    Disposizione Esegui(QPainter *p, const QRectF &area) const;
    void Barre(QPainter *p, const QRectF &area, Disposizione &d) const;
    void Torta(QPainter *p, const QRectF &area, Disposizione &d) const;
    QRectF Legenda(QPainter *p, const QRectF &area) const;

    SerieGrafico m_serie{QStringLiteral("Series1")};
    TestoGrafico m_titolo;
    TestoGrafico m_piede;
    QString m_titoloLegenda;
    QColor m_sfondo{Qt::white};
    QColor m_griglia{Qt::lightGray};
    QColor m_tacche{Qt::darkGray};
    bool m_3d = true;
    bool m_ortogonale = true;
};
