#pragma once
// A link: a label the user clicks to open an address. It wears the program's
// link look (Tahoma 14, underlined, hand cursor), turns orange while the mouse
// button is held on it and dark blue again when the button is released.
// A picture placed beside it can be bound to it and then behaves exactly like
// the link, colour change included.

#include <QColor>
#include <QLabel>
#include <QList>
#include <QPointer>

class Collegamento : public QLabel {
    Q_OBJECT
public:
    static QColor ColoreRiposo() { return QColor(0xFF00008Bu); }   // dark blue
    static QColor ColorePremuto() { return QColor(0xFFFFA500u); }  // orange

    explicit Collegamento(QWidget *parent = nullptr);
    explicit Collegamento(const QString &testo, QWidget *parent = nullptr);

    // The colour the link text is drawn with now.
    QColor Colore() const;

    // The picture then presses, releases and clicks like the link itself.
    void Associa(QWidget *immagine);

signals:
    void premuto();
    void rilasciato();
    // A press and a release over the link (or its picture), or Space/Enter.
    void cliccato();

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void Imposta();
    void ImpostaColore(const QColor &c);
    void Premi();
    void Rilascia(bool sopra);

    bool m_premuto = false;
    QList<QPointer<QWidget>> m_immagini;
};
