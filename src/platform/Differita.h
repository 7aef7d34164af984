#pragma once
// A screen whose form is built when it is first needed instead of when it is
// created: the start-up screens all exist from the start, but only the one
// shown first pays for its controls before the first paint.
//
// The screen class derives from Differita<QWidget> or Differita<QDialog>; its
// constructor sets only what others may ask before any showing (the object
// name, as the form would set it), and Costruisci() does the rest, in the
// order the constructor used to: the form, the kind of window, the
// connections, the sizes. Showing the screen in any way (show, exec, open,
// setVisible) builds it first; a public method that reaches the controls
// calls Completa() before.

#include <QObject>
#include <QSize>
#include <QWidget>

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
        // The form gives the screen its designed size. A size given before
        // the form was built comes after it, as it would have if the screen
        // had been built when created (the form never moves the screen).
        const bool ridimensionata = this->testAttribute(Qt::WA_Resized);
        const QSize dimensione = this->size();
        Costruisci();
        if (ridimensionata)
            this->resize(dimensione);
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
