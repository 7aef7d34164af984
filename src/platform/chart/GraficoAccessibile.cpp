#include "platform/chart/GraficoAccessibile.h"

#include "platform/chart/Grafico.h"

#include <QPointer>
#include <QWindow>

namespace {

// One point of the chart, read from the chart each time it is asked, so it
// never shows a value the chart no longer draws.
class PuntoAccessibile : public QAccessibleInterface {
public:
    PuntoAccessibile(Grafico *grafico, int indice) : m_grafico(grafico), m_indice(indice) {}

    bool isValid() const override { return m_grafico && m_indice < m_grafico->Serie().Punti().size(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override
    {
        return m_grafico ? m_grafico->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_grafico); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return QString();
        const PuntoGrafico &p = m_grafico->Serie().Punti().at(m_indice);
        switch (t) {
        case QAccessible::Name:
            return p.etichetta + QStringLiteral(": ") + Grafico::TestoValore(p.valore);
        case QAccessible::Value:
            return Grafico::TestoValore(p.valore);
        default:
            return QString();
        }
    }
    void setText(QAccessible::Text, const QString &) override {}

    QRect rect() const override
    {
        if (!m_grafico)
            return {};
        // Where the point's label is drawn, or the whole chart.
        const Grafico::Disposizione d = m_grafico->CalcolaDisposizione(m_grafico->rect());
        const QRect dove = m_indice < d.etichette.size() ? d.etichette.at(m_indice).toAlignedRect()
                                                         : m_grafico->rect();
        return QRect(m_grafico->mapToGlobal(dove.topLeft()), dove.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !m_grafico || !m_grafico->isVisible();
        return s;
    }

private:
    QPointer<Grafico> m_grafico;
    int m_indice;
};

QAccessibleInterface *Fabbrica(const QString &classe, QObject *oggetto)
{
    if (classe == QLatin1String("Grafico"))
        if (auto *g = qobject_cast<Grafico *>(oggetto))
            return new GraficoAccessibile(g);
    return nullptr;
}

} // namespace

GraficoAccessibile::GraficoAccessibile(Grafico *grafico) : QAccessibleWidget(grafico, QAccessible::Chart) {}

GraficoAccessibile::~GraficoAccessibile()
{
    for (QAccessible::Id id : std::as_const(m_punti))
        QAccessible::deleteAccessibleInterface(id);
}

void GraficoAccessibile::Registra()
{
    static const bool registrata = [] {
        QAccessible::installFactory(&Fabbrica);
        return true;
    }();
    Q_UNUSED(registrata);
}

const Grafico *GraficoAccessibile::grafico() const { return static_cast<const Grafico *>(object()); }

QString GraficoAccessibile::text(QAccessible::Text t) const
{
    const Grafico *g = grafico();
    switch (t) {
    case QAccessible::Name: {
        const QString genere = g->Serie().Tipo() == TipoSerie::Barre ? QStringLiteral("grafico a barre")
                                                                     : QStringLiteral("grafico a torta");
        const QString nome = g->accessibleName().isEmpty() ? g->Titolo().testo : g->accessibleName();
        return nome.isEmpty() ? genere : nome + QStringLiteral(", ") + genere;
    }
    case QAccessible::Description: {
        if (!g->accessibleDescription().isEmpty())
            return g->accessibleDescription();
        // Every point's value as the chart writes it, then the foot: heard
        // whole as the chart takes the focus, with no hunting point by point.
        QStringList parti;
        for (const PuntoGrafico &p : g->Serie().Punti())
            parti << p.etichetta + QStringLiteral(": ") + Grafico::TestoValore(p.valore);
        QString testo = parti.join(QStringLiteral("; "));
        if (!testo.isEmpty() && !g->Piede().testo.isEmpty())
            testo += QStringLiteral(". ");
        return testo + g->Piede().testo;
    }
    default:
        return QAccessibleWidget::text(t);
    }
}

int GraficoAccessibile::childCount() const { return int(grafico()->Serie().Punti().size()); }

QAccessibleInterface *GraficoAccessibile::child(int indice) const
{
    if (indice < 0 || indice >= childCount())
        return nullptr;
    while (m_punti.size() <= indice) {
        auto *punto = new PuntoAccessibile(const_cast<Grafico *>(grafico()), int(m_punti.size()));
        m_punti.append(QAccessible::registerAccessibleInterface(punto));
    }
    return QAccessible::accessibleInterface(m_punti.at(indice));
}

int GraficoAccessibile::indexOfChild(const QAccessibleInterface *figlio) const
{
    for (int i = 0; i < m_punti.size(); ++i)
        if (QAccessible::accessibleInterface(m_punti.at(i)) == figlio)
            return i < childCount() ? i : -1;
    return -1;
}
