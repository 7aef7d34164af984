#pragma once
// The chart as a screen reader meets it: a chart whose name says what it
// shows and whether as bars or as a pie, with one child per point that reads
// the point's label and its value as the legend writes it.

#include <QAccessibleWidget>
#include <QList>

class Grafico;

class GraficoAccessibile : public QAccessibleWidget {
public:
    explicit GraficoAccessibile(Grafico *grafico);
    ~GraficoAccessibile() override;

    // Lets Qt build this interface for every chart; called by the chart.
    static void Registra();

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface *child(int indice) const override;
    int indexOfChild(const QAccessibleInterface *figlio) const override;

private:
    const Grafico *grafico() const;
    // Created on demand, owned by Qt's registry until this interface goes.
    mutable QList<QAccessible::Id> m_punti;
};
