#include "lists/BarraTrova.h"

#include "lists/ListaRighe.h"
#include "lists/TrovaInLista.h"
#include "platform/Desktop.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>

BarraTrova::BarraTrova(QLineEdit *testo, QAbstractButton *pulsante, QListView *lista,
                       QString *ultimoTesto, bool invioSulPulsante)
    : QObject(testo), m_testo(testo), m_pulsante(pulsante), m_lista(lista), m_ultimoTesto(ultimoTesto)
{
    connect(pulsante, &QAbstractButton::clicked, this, &BarraTrova::Trova);
    if (invioSulPulsante)
        testo->installEventFilter(this);
}

void BarraTrova::Trova()
{
    const TestiRighe &righe = ModelloDi(m_lista)->Righe().righe;
    if (righe.isEmpty()) {
        Desktop::Corrente().MessaggioSemplice(
            QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."),
            m_lista->window());
        return;
    }
    const int riga = TrovaRiga(righe, RigaSelezionata(m_lista), m_testo->text(), *m_ultimoTesto);
    SelezionaRiga(m_lista, riga);
}

bool BarraTrova::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == m_testo && evento->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent *>(evento)->key();
        if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
            m_pulsante->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QObject::eventFilter(oggetto, evento);
}
