#pragma once
// The help topics of the screens that have one. Each screen's module defines
// its own pair; the help dialog shows them and the user guide is built from them.
// Paragraphs are separated by one empty line ("\r\n\r\n").

#include <QString>

namespace TestiGuida {
QString TitoloAvvio();
QString TestoAvvio();            // app/TestiGuidaAvvio.cpp
QString TitoloRegistro();
QString TestoRegistro();         // register/TestiGuidaRegistro.cpp
QString TitoloRiepilogo();
QString TestoRiepilogo();        // summary/TestiGuidaRiepilogo.cpp
QString TitoloGrafici();
QString TestoGrafici();          // charts/TestiGuidaGrafici.cpp
QString TitoloEsportazione();
QString TestoEsportazione();     // output/TestiGuidaEsportazione.cpp
QString TitoloAnalisi();
QString TestoAnalisi();          // analysis/TestiGuidaAnalisi.cpp
QString TitoloDichiarazione();
QString TestoDichiarazione();    // analysis/TestiGuidaAnalisi.cpp
QString TitoloImportazione();
QString TestoImportazione();     // imports/TestiGuidaImportazione.cpp
} // namespace TestiGuida
