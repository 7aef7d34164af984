// Benchmark program. Generates archives of realistic payments and times every
// full-scan operation beside the raw read of the same file, in one run; each
// operation runs in a child process of its own so that its peak memory is its
// own. Also times start-up to the access screen beside a minimal Qt window.
//
//   valmora_bench [--schede N[,N...]] [--cartella DIR] [--ripetizioni K]
//   valmora_bench --genera N FILE
//   valmora_bench --esegui OP FILE        (child: prints "ms kb risultato")

#include "GeneraArchivio.h"
#include "Operazioni.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

QTextStream out(stdout);

long PiccoKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

int EseguiFiglio(const QString &nome, const QString &percorso)
{
    const Operazioni::Operazione *op = Operazioni::Trova(nome);
    if (!op)
        return 2;
    QElapsedTimer t;
    t.start();
    const qint64 r = op->esegui(percorso);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    std::printf("%.3f %ld %lld\n", ms, PiccoKb(), static_cast<long long>(r));
    return 0;
}

struct Misura {
    double ms = 1e300;
    long kb = 0;
};

Misura Figlio(const QStringList &argomenti, int ripetizioni)
{
    Misura m;
    for (int i = 0; i < ripetizioni; ++i) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), argomenti);
        p.waitForFinished(-1);
        const QStringList parti = QString::fromLatin1(p.readAllStandardOutput()).split(u' ');
        if (p.exitCode() != 0 || parti.size() < 2) {
            out << "  errore: " << argomenti.join(u' ') << '\n';
            return m;
        }
        m.ms = std::min(m.ms, parti[0].toDouble());
        m.kb = std::max(m.kb, parti[1].toLong());
    }
    return m;
}

// Time from starting a program until it reports its first window shown.
double Avvio(const QString &programma, int ripetizioni)
{
    double migliore = 1e300;
    for (int i = 0; i < ripetizioni; ++i) {
        QProcess p;
        QElapsedTimer t;
        t.start();
        p.start(programma, {});
        if (!p.waitForReadyRead(60000))
            return -1;
        migliore = std::min(migliore, double(t.nsecsElapsed()) / 1e6);
        p.waitForFinished(-1);
    }
    return migliore;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--esegui") == 0) {
        // The result lists' model wants fonts: a GUI application without a screen.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        const QStringList a = app.arguments();
        return EseguiFiglio(a[2], a[3]);
    }
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() == 4 && a[1] == u"--genera")
        return GeneraArchivio::Scrivi(a[3], a[2].toLongLong()) ? 0 : 1;

    QList<qint64> dimensioni = {20000, 200000};
    QString cartella;
    int ripetizioni = 3;
    for (int i = 1; i + 1 < a.size(); i += 2) {
        if (a[i] == u"--schede") {
            dimensioni.clear();
            for (const QString &n : a[i + 1].split(u','))
                dimensioni << n.toLongLong();
        } else if (a[i] == u"--cartella") {
            cartella = a[i + 1];
        } else if (a[i] == u"--ripetizioni") {
            ripetizioni = std::max(1, a[i + 1].toInt());
        }
    }
    QTemporaryDir temporanea;
    if (cartella.isEmpty())
        cartella = temporanea.path();
    QDir().mkpath(cartella);

    // Without a display the start-up programs draw offscreen.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString qui = QCoreApplication::applicationDirPath();
    const double minima = Avvio(qui + QStringLiteral("/bench_avvio_minimo"), 5);
    const double valmora = Avvio(qui + QStringLiteral("/bench_avvio_valmora"), 5);
    out << "Avvio fino alla schermata di accesso: " << valmora << " ms; finestra Qt minima: "
        << minima << " ms; rapporto " << (valmora / minima) << " (obiettivo 1,5)\n\n";

    for (qint64 n : dimensioni) {
        const QString file = QDir(cartella).filePath(QStringLiteral("archivio_%1.pro").arg(n));
        if (QFileInfo(file).size() != n * TScheda::Dimensione && !GeneraArchivio::Scrivi(file, n)) {
            out << "impossibile scrivere " << file << '\n';
            return 1;
        }
        const double mb = double(n) * TScheda::Dimensione / (1024.0 * 1024.0);
        out << "Archivio di " << n << " schede (" << QString::number(mb, 'f', 1) << " MB)\n";
        out << QStringLiteral("  %1 %2 %3 %4 %5\n")
                   .arg(QStringLiteral("operazione"), -44)
                   .arg(QStringLiteral("ms"), 10)
                   .arg(QStringLiteral("grezza ms"), 10)
                   .arg(QStringLiteral("rapporto"), 9)
                   .arg(QStringLiteral("picco MB"), 9);
        out.flush();
        for (const Operazioni::Operazione &op : Operazioni::Tutte()) {
            if (op.nome == u"grezza")
                continue;
            // Raw read of the same file just before, so both meet the same cache.
            const Misura grezza = Figlio({QStringLiteral("--esegui"), QStringLiteral("grezza"), file}, ripetizioni);
            const Misura m = Figlio({QStringLiteral("--esegui"), op.nome, file}, ripetizioni);
            out << QStringLiteral("  %1 %2 %3 %4 %5\n")
                       .arg(op.descrizione, -44)
                       .arg(m.ms, 10, 'f', 1)
                       .arg(grezza.ms, 10, 'f', 1)
                       .arg(m.ms / grezza.ms, 9, 'f', 2)
                       .arg(double(m.kb) / 1024.0, 9, 'f', 1);
            out.flush();
        }
        out << '\n';
    }
    return 0;
}
