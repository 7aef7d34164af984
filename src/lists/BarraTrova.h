#pragma once
// The find bar above a result list: the edit txtTrova, the button btnTrova
// and the list. Each screen hands over the string where it keeps its last
// find text, so that it decides how long that text lives.

#include <QObject>
#include <QString>

class QAbstractButton;
class QLineEdit;
class QListView;

class BarraTrova : public QObject {
    Q_OBJECT
public:
    // invioSulPulsante: Enter in the edit moves the focus to the button
    // (without pressing it).
    BarraTrova(QLineEdit *testo, QAbstractButton *pulsante, QListView *lista,
               QString *ultimoTesto, bool invioSulPulsante);

    // btnTrovaClick
    void Trova();

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    QLineEdit *m_testo;
    QAbstractButton *m_pulsante;
    QListView *m_lista;
    QString *m_ultimoTesto;
};
