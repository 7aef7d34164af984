#include "platform/CalendarioAccessibile.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QCalendarWidget>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
#include <QPointer>
#include <QTableView>
#include <QWindow>

namespace {

const QLatin1String kClasseGriglia("QCalendarView");

QLocale Italiano() { return QLocale(QLocale::Italian, QLocale::Italy); }

QCalendarWidget *CalendarioDi(const QTableView *griglia)
{
    return griglia ? qobject_cast<QCalendarWidget *>(griglia->parentWidget()) : nullptr;
}

// Where the grid's model keeps its weekday names and week numbers.
bool RigaDeiGiorni(const QCalendarWidget *c) { return c->horizontalHeaderFormat() != QCalendarWidget::NoHorizontalHeader; }
bool ColonnaSettimane(const QCalendarWidget *c) { return c->verticalHeaderFormat() != QCalendarWidget::NoVerticalHeader; }

// The date a cell shows, from its day number and its week: the grid starts
// with the week of the shown month's first day, so a large number in the
// first two weeks is of the month before and a small one in the last two of
// the month after.
QDate DataDellaCella(const QCalendarWidget *c, int settimana, int giorno)
{
    QDate mese(c->yearShown(), c->monthShown(), 1);
    if (settimana < 2 && giorno > 20)
        mese = mese.addMonths(-1);
    else if (settimana >= 4 && giorno < 15)
        mese = mese.addMonths(1);
    return QDate(mese.year(), mese.month(), giorno);
}

// The index of a cell among the grid's children, as Qt counts it when it
// tells a move: a hidden header row and header column come first.
int Figlio(const QTableView *griglia, const QModelIndex &i)
{
    return (i.row() + 1) * (griglia->model()->columnCount() + 1) + i.column() + 1;
}

// One cell of the grid, named from what the grid shows at the moment it is
// asked. Qt counts the grid's children with a header row and a header column
// before the model's cells, hidden as they are; those two stay on the bus as
// invisible, nameless cells so that Qt's numbering of focus moves holds.
class CellaCalendario : public QAccessibleInterface {
public:
    CellaCalendario(QTableView *griglia, int riga, int colonna) : m_griglia(griglia), m_riga(riga), m_colonna(colonna) {}

    bool isValid() const override { return m_griglia && CalendarioDi(m_griglia) && m_griglia->model(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_griglia ? m_griglia->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_griglia); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Description))
            return QString();
        const QCalendarWidget *c = CalendarioDi(m_griglia);
        const QModelIndex i = Indice();
        if (!i.isValid())
            return QString();
        const int primaColonna = ColonnaSettimane(c) ? 1 : 0;
        if (RigaDeiGiorni(c) && m_riga == 0) {
            if (m_colonna < primaColonna)
                return QString();
            const int giorno = (int(c->firstDayOfWeek()) - 1 + m_colonna - primaColonna) % 7 + 1;
            return Italiano().dayName(giorno, QLocale::LongFormat);
        }
        const QString mostrato = i.data(Qt::DisplayRole).toString();
        if (m_colonna < primaColonna)
            return QStringLiteral("settimana ") + mostrato;
        return CalendarioAccessibile::DataCompleta(DataDellaCella(c, m_riga - (RigaDeiGiorni(c) ? 1 : 0),
                                                                  mostrato.toInt()));
    }

    QRect rect() const override
    {
        const QModelIndex i = Indice();
        if (!i.isValid())
            return {};
        const QRect r = m_griglia->visualRect(i);
        return QRect(m_griglia->viewport()->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::Role role() const override
    {
        const QCalendarWidget *c = isValid() ? CalendarioDi(m_griglia) : nullptr;
        if (c && RigaDeiGiorni(c) && m_riga == 0)
            return QAccessible::ColumnHeader;
        if (c && ColonnaSettimane(c) && m_colonna == 0)
            return QAccessible::RowHeader;
        return QAccessible::Cell;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        const QModelIndex i = Indice();
        if (!i.isValid() || m_griglia->isHidden()) {
            s.invisible = true;
            return s;
        }
        s.readOnly = true;
        if (role() != QAccessible::Cell)
            return s;
        s.focusable = true;
        s.selectable = true;
        s.disabled = !(i.flags() & Qt::ItemIsEnabled);
        s.selected = m_griglia->selectionModel() && m_griglia->selectionModel()->isSelected(i);
        s.focused = m_griglia->hasFocus() && m_griglia->currentIndex() == i;
        return s;
    }

private:
    QModelIndex Indice() const
    {
        if (!m_griglia || !m_griglia->model() || m_riga < 0 || m_colonna < 0)
            return {};
        return m_griglia->model()->index(m_riga, m_colonna);
    }

    QPointer<QTableView> m_griglia;
    int m_riga;    // in the model; -1 for Qt's hidden header row
    int m_colonna; // in the model; -1 for Qt's hidden header column
};

// The grid: a plain container of its cells, on purpose without the table
// interface, with which the reader would read a whole week at every move to
// another row.
class GrigliaCalendario : public QAccessibleWidget {
public:
    explicit GrigliaCalendario(QTableView *griglia) : QAccessibleWidget(griglia, QAccessible::Table) {}
    ~GrigliaCalendario() override
    {
        for (QAccessible::Id id : std::as_const(m_celle))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override
    {
        const QAbstractItemModel *m = Griglia()->model();
        return m ? (m->rowCount() + 1) * Colonne() : 0;
    }

    QAccessibleInterface *child(int indice) const override
    {
        if (indice < 0 || indice >= childCount())
            return nullptr;
        if (!m_celle.contains(indice)) {
            const int riga = indice / Colonne() - 1;
            const int colonna = indice % Colonne() - 1;
            m_celle.insert(indice, QAccessible::registerAccessibleInterface(
                                       new CellaCalendario(Griglia(), riga, colonna)));
        }
        return QAccessible::accessibleInterface(m_celle.value(indice));
    }

    int indexOfChild(const QAccessibleInterface *figlio) const override
    {
        for (auto i = m_celle.cbegin(); i != m_celle.cend(); ++i)
            if (QAccessible::accessibleInterface(i.value()) == figlio)
                return i.key();
        return -1;
    }

    QAccessibleInterface *focusChild() const override
    {
        const QModelIndex i = Griglia()->currentIndex();
        return Griglia()->hasFocus() && i.isValid() ? child(Figlio(Griglia(), i)) : nullptr;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint punto = Griglia()->viewport()->mapFromGlobal(QPoint(x, y));
        const QModelIndex i = Griglia()->indexAt(punto);
        return i.isValid() ? child(Figlio(Griglia(), i)) : nullptr;
    }

private:
    QTableView *Griglia() const { return static_cast<QTableView *>(widget()); }
    // The model's columns and the hidden header column before them.
    int Colonne() const { return Griglia()->model() ? Griglia()->model()->columnCount() + 1 : 1; }

    mutable QHash<int, QAccessible::Id> m_celle;
};

QAccessibleInterface *Fabbrica(const QString &classe, QObject *oggetto)
{
    if (classe == kClasseGriglia)
        if (auto *griglia = qobject_cast<QTableView *>(oggetto); griglia && CalendarioDi(griglia))
            return new GrigliaCalendario(griglia);
    return nullptr;
}

// Tells the chosen date as it moves: the month arrows and the month and year
// controls carry it as their description, which the reader speaks when it
// changes on the control in focus; on the grid a move speaks the new day's
// cell, except when the new day sits in the cell of the old one (a month
// further, same weekday and week), where the cell's description changes.
class Annuncio : public QObject {
public:
    static inline const QString kNome = QStringLiteral("AnnuncioData");

    explicit Annuncio(QCalendarWidget *calendario) : QObject(calendario), m_calendario(calendario)
    {
        setObjectName(kNome);
        connect(calendario, &QCalendarWidget::selectionChanged, this, &Annuncio::Aggiorna);
        m_griglia = calendario->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview"));
        if (m_griglia)
            m_griglia->installEventFilter(this);
        Aggiorna();
    }

protected:
    // The grid taking the focus tells only itself: the day in focus is told
    // too, or the reader would say the grid's name and no day.
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        // Told once Qt has told the grid's own focus, which comes after this
        // event and would otherwise have the last word.
        if (evento->type() == QEvent::FocusIn && m_griglia && oggetto == m_griglia && QAccessible::isActive())
            QMetaObject::invokeMethod(this, &Annuncio::DiciCella, Qt::QueuedConnection);
        return QObject::eventFilter(oggetto, evento);
    }

private:
    void DiciCella()
    {
        if (!m_griglia || !m_griglia->hasFocus() || !m_griglia->isActiveWindow() || !m_griglia->currentIndex().isValid())
            return;
        QAccessibleEvent fuoco(m_griglia, QAccessible::Focus);
        fuoco.setChild(Figlio(m_griglia, m_griglia->currentIndex()));
        QAccessible::updateAccessibility(&fuoco);
    }


    void Aggiorna()
    {
        const QString data = CalendarioAccessibile::DataCompleta(m_calendario->selectedDate());
        for (const char *nome : {"qt_calendar_prevmonth", "qt_calendar_nextmonth", "qt_calendar_monthbutton",
                                 "qt_calendar_yearbutton", "qt_calendar_yearedit"})
            if (auto *w = m_calendario->findChild<QWidget *>(QLatin1String(nome)); w && w->accessibleDescription() != data)
                w->setAccessibleDescription(data);

        QTableView *griglia = m_griglia;
        if (!griglia || !griglia->model())
            return;
        const QModelIndex i = griglia->currentIndex();
        const int cella = i.isValid() ? Figlio(griglia, i) : -1;
        if (cella == m_cella && data != m_data && griglia->hasFocus() && QAccessible::isActive()) {
            QAccessibleEvent evento(griglia, QAccessible::DescriptionChanged);
            evento.setChild(cella);
            QAccessible::updateAccessibility(&evento);
        }
        m_cella = cella;
        m_data = data;
    }

    QCalendarWidget *m_calendario;
    QPointer<QTableView> m_griglia;
    int m_cella = -1;
    QString m_data;
};

} // namespace

namespace CalendarioAccessibile {

QString DataCompleta(QDate data)
{
    return data.isValid() ? Italiano().toString(data, QStringLiteral("dddd d MMMM yyyy")) : QString();
}

void Registra()
{
    static const bool registrata = [] {
        QAccessible::installFactory(&Fabbrica);
        return true;
    }();
    Q_UNUSED(registrata);
}

void Prepara(QCalendarWidget *calendario)
{
    Registra();
    if (!calendario->findChild<QObject *>(Annuncio::kNome, Qt::FindDirectChildrenOnly))
        new Annuncio(calendario);
}

} // namespace CalendarioAccessibile
