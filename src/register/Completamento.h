#pragma once
// The list of values offered under a field of the editor while it is typed.
// Down (or typing) opens it, Up and Down move in it, Enter chooses, Esc
// closes it; any other key goes on to the field as if the list were not
// there. A chosen value is put into the field as typed text is (the field's
// length and character checks apply), and only into that field.

#include <QObject>
#include <QStringList>
#include <functional>

class QCompleter;
class QLineEdit;
class QStringListModel;
class QAbstractItemView;
class QKeyEvent;

class Completamento : public QObject {
    Q_OBJECT
public:
    // The values to offer for the text typed so far.
    using Fonte = std::function<QStringList(const QString &digitato)>;

    // The list belongs to the field (it is the field's child).
    Completamento(QLineEdit *campo, Fonte fonte);

    // Offers again for what the field holds, when the list is open or the
    // field has been typed in since it took the focus: the values changed.
    void Aggiorna();
    QAbstractItemView *Lista() const;
    bool Aperta() const;

signals:
    // A value was chosen and the field now holds it.
    void Scelto(const QString &valore);

protected:
    bool eventFilter(QObject *oggetto, QEvent *event) override;

private:
    // Opens the list for the text, or closes it when nothing matches.
    void Offri(const QString &testo, bool ancheVuoto);
    void Scegli(const QString &valore);
    // The keys the list answers while open; true when consumed.
    bool TastoLista(QKeyEvent *tasto);

    QLineEdit *m_campo;
    Fonte m_fonte;
    QCompleter *m_completer;
    QStringListModel *m_modello;
    bool m_digitato = false;   // typed in since it took the focus
    bool m_scegliendo = false; // the field is being filled with a chosen value
};
