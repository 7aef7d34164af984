#pragma once
// A screen whose form is built when it is first needed instead of when it is
// created: the start-up screens all exist from the start, but only the one
// shown first pays for its controls before the first paint.
//
// The screen class derives from Differita<QWidget> or Differita<QDialog>; its
// constructor sets only what must hold before any showing (the object name,
// the kind of window), and Costruisci() does the rest: the form, the
// connections, the sizes. Showing the screen in any way (show, exec, open,
// setVisible) builds it first; a public method that reaches the controls
// calls Completa() before.

#include <QObject>

// What any code holding a plain widget can ask of a screen built on demand.
class Completabile {
public:
    // Builds the form now unless it is built already.
    virtual void Completa() = 0;
    virtual bool Costruita() const = 0;

    // Builds the form of w when w is a screen built on demand; nothing otherwise.
    static void CompletaSeDifferita(QObject *w)
    {
        if (auto *c = dynamic_cast<Completabile *>(w))
            c->Completa();
    }

protected:
    ~Completabile() = default;
};

template <class Base>
class Differita : public Base, public Completabile {
public:
    using Base::Base;

    void Completa() final
    {
        if (m_costruita)
            return;
        // Set first: what Costruisci calls may ask for the controls again.
        m_costruita = true;
        Costruisci();
    }
    bool Costruita() const final { return m_costruita; }

    void setVisible(bool visibile) override
    {
        if (visibile)
            Completa();
        Base::setVisible(visibile);
    }

protected:
    // The form and everything that hangs on it; runs once.
    virtual void Costruisci() = 0;

private:
    bool m_costruita = false;
};
