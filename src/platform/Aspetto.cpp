#include "platform/Aspetto.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace Aspetto {

void Applica()
{
    QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    if (!fusion)
        return;
    QApplication::setStyle(fusion); // the application owns it now
    QPalette chiara = fusion->standardPalette();
    // Every role is ours: nothing is filled in from the desktop's palette.
    chiara.setResolveMask(~QPalette::ResolveMask(0));
    QApplication::setPalette(chiara);
    // A desktop theme may also give some kinds of widget palettes of their
    // own, which take precedence over the application's.
    for (const char *classe : {"QAbstractButton", "QToolButton", "QCheckBox", "QRadioButton", "QHeaderView",
                               "QAbstractItemView", "QMessageBoxLabel", "QTabBar", "QLabel", "QGroupBox",
                               "QMenu", "QMenuBar", "QTextEdit", "QTextControl", "QLineEdit"})
        QApplication::setPalette(chiara, classe);
}

} // namespace Aspetto
