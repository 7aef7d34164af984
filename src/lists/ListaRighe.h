#pragma once
// The result list as a view over its lines: one model row per line, drawn in
// the monospaced black font of every result list. A view, not one widget item
// per line, so that a list of every record of a large archive stays quick.

#include "lists/RigaScheda.h"

#include <QAbstractListModel>
#include <QFont>
#include <functional>

class QListView;

class ModelloRighe : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ModelloRighe(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    void Imposta(RigheScheda righe);
    void Svuota();
    const RigheScheda &Righe() const { return m_righe; }

    // Wide enough for the longest lines: the list scrolls sideways.
    static constexpr int LarghezzaVoce = 1600;

private:
    RigheScheda m_righe;
    QFont m_carattere;
    int m_altezza = 0;
};

// Gives the view its model and the look of a result list. Scroll bars stay off
// until the list has been filled (MostraRighe).
ModelloRighe *PreparaListaRighe(QListView *vista);
// Fills the list, in file order, and switches the scroll bars on.
void MostraRighe(QListView *vista, RigheScheda righe);
ModelloRighe *ModelloDi(QListView *vista);
// The selected line, -1 for none.
int RigaSelezionata(QListView *vista);
void SelezionaRiga(QListView *vista, int riga);
// Enter and keypad Enter on the current line select it and do what its double click does,
// so that a list is worked by keyboard alone. The key goes no further: the
// dialog's default button is not pressed as well.
void InvioSullaRiga(QListView *vista, std::function<void()> azione);
