#include "ArchivioDiProva.h"

#include <QFile>
#include <QtTest>

namespace ArchivioDiProva {

TScheda Scheda(const QMap<Campo, QString> &campi)
{
    TScheda s;
    for (auto it = campi.cbegin(); it != campi.cend(); ++it)
        s.ImpostaTesto(it.key(), it.value());
    return s;
}

TScheda Semplice(const QString &fornitore, const QString &data, const QString &codice,
                 const QString &servizi, const QString &dovuto, bool daSaldare)
{
    return Scheda({{Campo::Fornitore, fornitore},
                   {Campo::Data, data},
                   {Campo::Codice, codice},
                   {Campo::Servizi, servizi},
                   {Campo::Dovuto, dovuto},
                   {Campo::Acconto, QStringLiteral("0,00")},
                   {Campo::Saldo, dovuto},
                   {Campo::DaSaldare, daSaldare ? QStringLiteral("Sì") : QStringLiteral("No")}});
}

QList<TScheda> Numerate(int n, bool daSaldare)
{
    QList<TScheda> l;
    for (int i = 1; i <= n; ++i)
        l << Semplice(QStringLiteral("F%1").arg(i), QStringLiteral("%1/01/2024").arg(i, 2, 10, QLatin1Char('0')),
                      QStringLiteral("C%1").arg(i), QStringLiteral("S%1").arg(i),
                      daSaldare ? QStringLiteral("%1,00").arg(i * 10) : QStringLiteral("0,00"), daSaldare);
    return l;
}

void Scrivi(const QString &percorso, const QList<TScheda> &schede, const QByteArray &coda)
{
    QFile f(percorso);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(f.errorString()));
    for (const TScheda &s : schede)
        QCOMPARE(f.write(s.byte.data(), TScheda::Dimensione), qint64(TScheda::Dimensione));
    if (!coda.isEmpty())
        QCOMPARE(f.write(coda), qint64(coda.size()));
    f.close();
}

QByteArray Leggi(const QString &percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

} // namespace ArchivioDiProva
