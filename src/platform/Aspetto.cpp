#include "platform/Aspetto.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace Aspetto {

QPalette TavolozzaChiara()
{
    // Fusion's own light colours.
    const QColor finestra(239, 239, 239), base(Qt::white), testo(Qt::black);
    const QColor scuro = finestra.darker(150), medio = finestra.darker(130);
    QPalette p(testo, finestra, finestra.lighter(150), scuro, medio, testo, base);
    p.setColor(QPalette::Midlight, medio.lighter(110));
    p.setColor(QPalette::Button, finestra);
    p.setColor(QPalette::ButtonText, testo);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Shadow, scuro.darker(135));
    p.setColor(QPalette::Highlight, QColor(48, 140, 198));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(247, 247, 247));
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    p.setColor(QPalette::ToolTipText, testo);
    p.setColor(QPalette::Link, QColor(0, 0, 255));
    p.setColor(QPalette::LinkVisited, QColor(255, 0, 255));
    QColor segnaposto = testo;
    segnaposto.setAlpha(128);
    p.setColor(QPalette::PlaceholderText, segnaposto);

    const QColor spento(190, 190, 190);
    for (QPalette::ColorRole ruolo : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, ruolo, spento);
    p.setColor(QPalette::Disabled, QPalette::Base, finestra);
    p.setColor(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    p.setColor(QPalette::Disabled, QPalette::Shadow, scuro.darker(135).lighter(150));
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    // Every role is ours: nothing is filled in from the desktop's palette.
    p.setResolveMask(~QPalette::ResolveMask(0));
    return p;
}

void Applica()
{
    QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    if (!fusion)
        return;
    QApplication::setStyle(fusion); // the application owns it now
    const QPalette chiara = TavolozzaChiara();
    QApplication::setPalette(chiara);
    // A desktop theme may also give some kinds of widget palettes of their
    // own, which take precedence over the application's.
    for (const char *classe : {"QAbstractButton", "QToolButton", "QCheckBox", "QRadioButton", "QHeaderView",
                               "QAbstractItemView", "QMessageBoxLabel", "QTabBar", "QLabel", "QGroupBox",
                               "QMenu", "QMenuBar", "QTextEdit", "QTextControl", "QLineEdit", "QComboBox",
                               "QScrollBar", "QAbstractSpinBox", "QProgressBar", "QTipLabel"})
        QApplication::setPalette(chiara, classe);
}

} // namespace Aspetto
