#pragma once
// The banded report engine. A report is designed as data (a JSON file in the
// resources): pages with paper size, orientation and margins; bands (title,
// data, footer) holding texts, rectangles and lines; or objects placed
// straight on a page. Code finds objects by name, fills their texts and sets
// heights, then prepares the pages (splitting a data band over as many pages
// as its text needs) and prints them through the desktop seam.

#include "platform/report/OggettoReport.h"

#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QSizeF>
#include <QString>
#include <optional>

class QPainter;
class QWidget;

struct BandaReport {
    // Printed in this order, each once: the title at the top of the first
    // page, the data band after it, the footer right after the data band.
    enum class Genere { Titolo, Dati, Piede };

    QString nome;
    Genere genere = Genere::Dati;
    double altezza = 0.0;      // mm
    bool divisibile = false;   // may split across pages
    QList<OggettoReport> oggetti;

    double Altezza() const { return altezza; }
    void ImpostaAltezza(double altezzaMm) { altezza = altezzaMm; }
};

struct PaginaReport {
    QString nome;
    QSizeF formato{210.0, 297.0};   // paper in portrait, mm
    QPageLayout::Orientation orientamento = QPageLayout::Portrait;
    QMarginsF margini{10.0, 10.0, 10.0, 10.0};
    QList<BandaReport> bande;
    QList<OggettoReport> oggetti;   // placed straight on the page, from the margins

    // Paper size as printed, orientation applied.
    QSizeF Carta() const;
};

// What one prepared page holds: every object with its place on the paper, in
// mm from the paper's top left corner, and the lines it prints there.
struct PaginaPreparata {
    struct PezzoBanda {
        QString nome;
        QRectF mm;
    };

    QSizeF carta;                   // mm, orientation applied
    QPageLayout::Orientation orientamento = QPageLayout::Portrait;
    QMarginsF margini;
    QList<PezzoBanda> bande;        // the bands (or pieces of a split band) on this page
    QList<OggettoReport> oggetti;

    // The pieces of the named object on this page (a split text has one per page).
    const OggettoReport *Trova(const QString &nome) const;
    const PezzoBanda *TrovaBanda(const QString &nome) const;
};

class Report {
public:
    // Reads a design; nothing when the file is missing or not a valid design.
    static std::optional<Report> Carica(const QString &percorso);
    static std::optional<Report> DaJson(const QByteArray &json, QString *errore = nullptr);

    QString Nome() const { return m_nome; }
    void ImpostaNome(const QString &nome) { m_nome = nome; }

    QList<PaginaReport> &Pagine() { return m_pagine; }
    PaginaReport *Pagina(const QString &nome);
    // Finds an object of any page or band by name; nullptr when there is none.
    OggettoReport *Oggetto(const QString &nome);
    BandaReport *Banda(const QString &nome);

    // Lays the pages out anew, discarding any pages prepared before.
    void Prepara();
    const QList<PaginaPreparata> &PaginePreparate() const { return m_preparate; }

    // Shows the print dialog of the desktop seam and prints the prepared
    // pages; false when the user cancels (nothing is printed) or the printer
    // cannot start.
    bool Stampa(QWidget *genitore);

    // Draws one prepared page with the given scale; used for printing and
    // for pictures of a page.
    static void Disegna(QPainter &p, const PaginaPreparata &pagina, double pixelPerMm);

private:
    QString m_nome;
    QList<PaginaReport> m_pagine;
    QList<PaginaPreparata> m_preparate;
};
