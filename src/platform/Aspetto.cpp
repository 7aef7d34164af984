#include "platform/Aspetto.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace Aspetto {

QPalette Tavolozza()
{
    QPalette p;
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        p = fusion->standardPalette();
        delete fusion;
    }
    // Every role is ours: nothing is filled in from the desktop's palette.
    p.setResolveMask(~QPalette::ResolveMask(0));
    return p;
}

void Applica()
{
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    const QPalette chiara = Tavolozza();
    QApplication::setPalette(chiara);
    // A desktop theme may also give some kinds of widget palettes of their
    // own; these take precedence over the application's.
    for (const char *classe : {"QAbstractButton", "QToolButton", "QCheckBox", "QRadioButton", "QHeaderView",
                               "QAbstractItemView", "QMessageBoxLabel", "QTabBar", "QLabel", "QGroupBox",
                               "QMenu", "QMenuBar", "QTextEdit", "QTextControl", "QLineEdit"})
        QApplication::setPalette(chiara, classe);
}

} // namespace Aspetto
