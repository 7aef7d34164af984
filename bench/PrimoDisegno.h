#pragma once
// Start-up programs of the benchmark stop the clock here: once the window has
// received its first paint event and the pass that drew it (and flushed it to
// the window system) has returned, "pronto" goes to stdout and the program
// leaves. The first event-loop tick would come before anything is drawn.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <cstdio>

class PrimoDisegno : public QObject {
public:
    explicit PrimoDisegno(QObject *finestra) { finestra->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *evento) override
    {
        if (evento->type() == QEvent::Paint && !m_visto) {
            m_visto = true;
            // Queued: runs after the paint pass, flush included, has finished.
            QTimer::singleShot(0, [] {
                std::puts("pronto");
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool m_visto = false;
};
