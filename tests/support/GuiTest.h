#pragma once
// Helpers for tests that drive real widgets: find a control by its
// objectName, type into it, click it, press keys.

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QString>
#include <QWidget>
#include <QtTest>

namespace GuiTest {

template <typename T>
T *Trova(QWidget *radice, const QString &nome)
{
    T *w = radice->findChild<T *>(nome);
    if (!w)
        qWarning("control not found: %s", qPrintable(nome));
    return w;
}

// Replaces the text of an edit as a user would (keystrokes, so edit handlers run).
void Scrivi(QWidget *radice, const QString &nome, const QString &testo);
// Clicks a button (or any widget, with the left mouse button).
void Clicca(QWidget *radice, const QString &nome);
QString Testo(QWidget *radice, const QString &nome);
// Puts the text into an edit or an editable drop-down at once, as a paste would.
void Imposta(QWidget *radice, const char *nome, const QString &testo);

// Double-clicks a line of a list view as the mouse would (a click, then a double click).
void DoppioClic(QListView *lista, int riga);

// What a screen reader finds wrong under the root, walking the accessible
// tree as it does, Qt's own inner parts included: every control a user can
// reach (focusable, a button, list, table or chart, or under a hand cursor)
// whose accessible name is empty, and every label whose shown text is
// carried by neither its accessible name nor its description. One line each,
// as "objectName (class)". Controls hidden under the root are left out.
QStringList SenzaNomeAccessibile(QWidget *radice);

} // namespace GuiTest
