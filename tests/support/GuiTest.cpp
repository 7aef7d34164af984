#include "GuiTest.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>

namespace GuiTest {

void Scrivi(QWidget *radice, const QString &nome, const QString &testo)
{
    auto *e = Trova<QLineEdit>(radice, nome);
    QVERIFY(e);
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, testo);
}

void Clicca(QWidget *radice, const QString &nome)
{
    auto *w = Trova<QWidget>(radice, nome);
    QVERIFY(w);
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        b->click();
    else
        QTest::mouseClick(w, Qt::LeftButton);
}

void Imposta(QWidget *radice, const char *nome, const QString &testo)
{
    QWidget *w = Trova<QWidget>(radice, QString::fromLatin1(nome));
    if (auto *c = qobject_cast<QComboBox *>(w))
        c->setEditText(testo);
    else if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setText(testo);
    else
        QFAIL(qPrintable(QStringLiteral("not an edit: %1").arg(QString::fromLatin1(nome))));
}

QString Testo(QWidget *radice, const QString &nome)
{
    QWidget *w = Trova<QWidget>(radice, nome);
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *c = qobject_cast<QComboBox *>(w))
        return c->currentText();
    if (auto *t = qobject_cast<QPlainTextEdit *>(w))
        return t->toPlainText();
    if (auto *t = qobject_cast<QTextEdit *>(w))
        return t->toPlainText();
    return QString();
}

void DoppioClic(QListView *lista, int riga)
{
    const QRect r = lista->visualRect(lista->model()->index(riga, 0));
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, r.center());
}

namespace {

bool RichiedeNome(QAccessibleInterface *i, QWidget *w)
{
    if (i->state().focusable)
        return true;
    switch (i->role()) {
    case QAccessible::PushButton:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::EditableText:
    case QAccessible::Link:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::Chart:
        return true;
    default:
        return w && w->cursor().shape() == Qt::PointingHandCursor;
    }
}

// The text a label shows, as plain text with its blanks folded.
QString TestoMostrato(const QLabel *l)
{
    QString t = l->text();
    if (l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(t))) {
        QTextDocument doc;
        doc.setHtml(t);
        t = doc.toPlainText();
    }
    return t.remove(u'&').simplified();
}

bool Porta(const QString &testo, const QString &mostrato)
{
    return QString(testo).remove(u'&').simplified().contains(mostrato);
}

QString Descrivi(const QWidget *w)
{
    return QStringLiteral("%1 (%2)").arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()));
}

void Visita(QAccessibleInterface *interfaccia, QWidget *radice, QStringList &mancanti)
{
    for (int k = 0; k < interfaccia->childCount(); ++k) {
        QAccessibleInterface *figlio = interfaccia->child(k);
        auto *w = figlio ? qobject_cast<QWidget *>(figlio->object()) : nullptr;
        // Another window is checked on its own; what is hidden is not met.
        // The lines and cells of lists and tables, and the points of a
        // chart, are no widgets: they read their own texts.
        if (!w || w->isWindow() || !w->isVisibleTo(radice))
            continue;
        const QString nome = figlio->text(QAccessible::Name).trimmed();
        if (RichiedeNome(figlio, w) && nome.isEmpty())
            mancanti << Descrivi(w);
        if (auto *l = qobject_cast<QLabel *>(w)) {
            const QString mostrato = TestoMostrato(l);
            if (!mostrato.isEmpty() && !Porta(nome, mostrato)
                && !Porta(figlio->text(QAccessible::Description), mostrato))
                mancanti << Descrivi(w) + QStringLiteral(" does not carry \"%1\"").arg(mostrato);
        }
        Visita(figlio, radice, mancanti);
    }
}

} // namespace

QStringList SenzaNomeAccessibile(QWidget *radice)
{
    QStringList mancanti;
    if (QAccessibleInterface *finestra = QAccessible::queryAccessibleInterface(radice))
        Visita(finestra, radice, mancanti);
    return mancanti;
}

} // namespace GuiTest
