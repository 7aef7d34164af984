#pragma once
// Keeps a window alive through a long piece of work done inside one of its
// handlers: the busy cursor from the start, the window repainted at once (so
// a question box just dismissed is not left drawn over it), and, once the
// work has taken longer than a few tenths of a second, a progress bar. At
// every step the window's pending events are handled, user input excepted,
// so it stays painted and nothing can start a second action meanwhile.

#include <QElapsedTimer>
#include <QPointer>

class QProgressBar;
class QWidget;

class LavoroInCorso {
public:
    LavoroInCorso(QWidget *finestra, QProgressBar *barra);
    ~LavoroInCorso(); // cursor restored, bar hidden
    LavoroInCorso(const LavoroInCorso &) = delete;
    LavoroInCorso &operator=(const LavoroInCorso &) = delete;

    // fatto of totale units are done.
    void Avanza(qint64 fatto, qint64 totale);

    // How long the work runs before the bar appears, in milliseconds.
    static int Soglia();
    static void ImpostaSoglia(int millisecondi);

private:
    QPointer<QWidget> m_finestra;
    QPointer<QProgressBar> m_barra;
    QElapsedTimer m_orologio;
};
