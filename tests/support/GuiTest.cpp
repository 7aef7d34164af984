#include "GuiTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
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

QStringList SenzaNomeAccessibile(QWidget *radice)
{
    QStringList mancanti;
    const auto figli = radice->findChildren<QWidget *>();
    for (QWidget *w : figli) {
        if (w->isWindow() && w != radice)
            continue; // another window: checked on its own
        // Our own controls only: Qt's inner parts (scroll bars, viewports) carry
        // no objectName or a "qt_" one.
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const bool raggiungibile = w->focusPolicy() != Qt::NoFocus
            || qobject_cast<QAbstractButton *>(w) != nullptr
            || w->cursor().shape() == Qt::PointingHandCursor;
        if (!raggiungibile || !w->isVisibleTo(radice))
            continue;
        if (w->accessibleName().trimmed().isEmpty())
            mancanti << QStringLiteral("%1 (%2)").arg(w->objectName(),
                                                     QString::fromLatin1(w->metaObject()->className()));
    }
    return mancanti;
}

} // namespace GuiTest
