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

// Double-clicks a line of a list view as the mouse would (a click, then a double click).
void DoppioClic(QListView *lista, int riga);

// Every control a user can reach (focusable, or a button/link) under the
// root that has no accessible name, as "objectName (class)".
QStringList SenzaNomeAccessibile(QWidget *radice);

} // namespace GuiTest
