#pragma once
// Reads printed PDF files back with poppler's command-line tools, so tests can
// check what reached paper.

#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QtTest>

namespace TestoPdf {

inline QString Esegui(const QString &programma, const QStringList &argomenti)
{
    QProcess p;
    p.start(programma, argomenti);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(programma), p.readAllStandardError().constData());
        return QString();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of each page, laid out as on paper (one entry per page).
inline QStringList Pagine(const QString &pdf)
{
    QStringList pagine = Esegui(QStringLiteral("pdftotext"),
                                {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                 pdf, QStringLiteral("-")})
                             .split(QLatin1Char('\f'));
    if (!pagine.isEmpty() && pagine.last().trimmed().isEmpty())
        pagine.removeLast();
    return pagine;
}

// Page sizes in millimetres, as pdfinfo reports them.
inline QList<QSizeF> Formati(const QString &pdf)
{
    const QString info = Esegui(QStringLiteral("pdfinfo"),
                                {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                 QStringLiteral("9999"), pdf});
    QList<QSizeF> formati;
    static const QRegularExpression re(QStringLiteral("Page +\\d+ size: +([\\d.]+) x ([\\d.]+) pts"));
    auto it = re.globalMatch(info);
    while (it.hasNext()) {
        const auto m = it.next();
        formati.append(QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) * (25.4 / 72.0));
    }
    return formati;
}

// A field of pdfinfo's document information ("Title", "Producer"...).
inline QString Informazione(const QString &pdf, const QString &campo)
{
    const QString info = Esegui(QStringLiteral("pdfinfo"), {pdf});
    for (const QString &r : info.split(QLatin1Char('\n')))
        if (r.startsWith(campo + QLatin1Char(':')))
            return r.mid(campo.size() + 1).trimmed();
    return QString();
}

// Names of the fonts embedded in the file.
inline QStringList Caratteri(const QString &pdf)
{
    QStringList nomi;
    const QStringList righe = Esegui(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'));
    for (qsizetype i = 2; i < righe.size(); ++i)
        if (!righe[i].trimmed().isEmpty())
            nomi.append(righe[i].section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty));
    return nomi;
}

// The non-empty lines of a page's text, each with its blanks collapsed: the
// extraction does not keep the exact spacing of the paper.
inline QStringList Righe(const QString &pagina)
{
    QStringList righe;
    for (const QString &r : pagina.split(QLatin1Char('\n')))
        if (!r.trimmed().isEmpty())
            righe.append(r.simplified());
    return righe;
}

inline QStringList Semplificate(const QStringList &righe)
{
    QStringList s;
    for (const QString &r : righe)
        s.append(r.simplified());
    return s;
}

} // namespace TestoPdf
