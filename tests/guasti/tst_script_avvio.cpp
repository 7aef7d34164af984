// scripts/avvia.sh run for real under the usual umask 022, in a copy of the
// checkout where the dependency script does nothing and `cmake` stands in for
// the build: configuring and building are skipped, the install lays out this
// build's real program folder, and the program it then starts only says so.
// Whatever the script creates or moves in is the user's alone: the folder and
// its folders 0700, the register's files 0600, and nothing else writable or
// readable by others through the folder.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

mode_t Modo(const QString &percorso)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(percorso).constData(), &st) != 0)
        return mode_t(-1);
    return st.st_mode & 07777;
}

void Scrivi(const QString &percorso, const QByteArray &dati, mode_t modo)
{
    QVERIFY(QDir().mkpath(QFileInfo(percorso).absolutePath()));
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(dati);
    f.close();
    QCOMPARE(::chmod(QFile::encodeName(percorso).constData(), modo), 0);
}

QByteArray Leggi(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The files of the register, as the script knows them.
const QStringList kDati = {QStringLiteral("unins000.dll"),
                           QStringLiteral("Operazioni_Pagamenti.pro"),
                           QStringLiteral("Operazioni_Pagamenti.pro-diario"),
                           QStringLiteral("Operazioni_Pagamenti.pro-diario-estraneo"),
                           QStringLiteral("Schede_Eliminate.pro"),
                           QStringLiteral("Schede_Eliminate.pro-date"),
                           QStringLiteral("Registro_Spese.xls"),
                           QStringLiteral("Analisi_Spese.xls"),
                           QStringLiteral("Spese_Dichiarazione.xls")};

} // namespace

class TestScriptAvvio : public QObject {
    Q_OBJECT
private slots:
    void init() { m_umask = ::umask(022); }
    void cleanup() { ::umask(m_umask); }
    void cartellaPrivata_data();
    void cartellaPrivata();

private:
    mode_t m_umask = 022;
};

void TestScriptAvvio::cartellaPrivata_data()
{
    QTest::addColumn<QString>("caso");
    QTest::newRow("cartella nuova, madre da creare") << "nuova";
    // An older version laid the folder out inside the checkout, 0755 and 0644.
    QTest::newRow("cartella vecchia spostata intera") << "spostata";
    QTest::newRow("cartella vecchia spostata in una cartella vuota") << "inVuota";
    // A folder of an older version in place, laid out under umask 022.
    QTest::newRow("cartella già in uso") << "inUso";
}

void TestScriptAvvio::cartellaPrivata()
{
    QFETCH(QString, caso);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QDir d(dir.path());

    // The checkout: the script itself, and a dependency script that does nothing.
    const QString sorgenti = d.filePath(QStringLiteral("sorgenti"));
    QVERIFY(QDir().mkpath(sorgenti + QStringLiteral("/scripts")));
    QVERIFY(QFile::copy(QStringLiteral(VALMORA_SORGENTI "/scripts/avvia.sh"), sorgenti + QStringLiteral("/scripts/avvia.sh")));
    Scrivi(sorgenti + QStringLiteral("/scripts/dipendenze.sh"), "exit 0\n", 0755);
    // cmake: the install of this build, then a program that only says it started.
    const QString bin = d.filePath(QStringLiteral("bin"));
    Scrivi(bin + QStringLiteral("/cmake"),
           "#!/bin/sh\n"
           "if [ \"$1\" = --install ]; then\n"
           "  \"" VALMORA_CMAKE "\" --install \"" VALMORA_BUILD "\" --prefix \"$4\" >/dev/null || exit 1\n"
           "  printf '#!/bin/sh\\necho avviato\\n' > \"$4/valmora\"\n"
           "fi\n",
           0755);

    const QString cartella = d.filePath(caso == u"nuova" ? QStringLiteral("casa/utente/Valmora") : QStringLiteral("Valmora"));
    const QString vecchia = sorgenti + QStringLiteral("/Valmora");
    // The register of an older version, 0644 files in 0755 folders.
    const QString base = caso == u"inUso" ? cartella : vecchia;
    QMap<QString, QByteArray> dati;
    if (caso != u"nuova") {
        for (const QString &f : kDati) {
            dati.insert(f, f.toUtf8());
            Scrivi(base + u'/' + f, f.toUtf8(), 0644);
        }
        dati.insert(QStringLiteral("Documenti_Allegati/fattura.pdf"), "pdf");
        Scrivi(base + QStringLiteral("/Documenti_Allegati/fattura.pdf"), "pdf", 0644);
        dati.insert(QStringLiteral("Backup/Operazioni_Pagamenti-20240315.pro"), "copia");
        Scrivi(base + QStringLiteral("/Backup/Operazioni_Pagamenti-20240315.pro"), "copia", 0644);
        QCOMPARE(::chmod(QFile::encodeName(base).constData(), 0755), 0);
    }
    if (caso == u"inVuota") {
        QVERIFY(QDir().mkpath(cartella));
        QCOMPARE(::chmod(QFile::encodeName(cartella).constData(), 0755), 0);
    }

    QProcess script;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("PATH"), bin + u':' + ambiente.value(QStringLiteral("PATH")));
    ambiente.insert(QStringLiteral("HOME"), d.filePath(QStringLiteral("casa")));
    script.setProcessEnvironment(ambiente);
    script.setProcessChannelMode(QProcess::MergedChannels);
    script.start(QStringLiteral("bash"), {sorgenti + QStringLiteral("/scripts/avvia.sh"), cartella});
    QVERIFY(script.waitForFinished(300000));
    const QByteArray uscita = script.readAll();
    QVERIFY2(script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0, uscita.constData());
    QVERIFY2(uscita.endsWith("avviato\n"), uscita.constData());

    // The register's files all arrived, with their bytes; nothing stayed behind
    // in the checkout for `git clean` to take.
    for (auto it = dati.cbegin(); it != dati.cend(); ++it)
        QVERIFY2(Leggi(cartella + u'/' + it.key()) == it.value(), qPrintable(it.key()));
    if (caso != u"nuova" && caso != u"inUso")
        QVERIFY2(!QFileInfo::exists(vecchia) || QDir(vecchia).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 qPrintable(QDir(vecchia).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).join(u' ')));
    QVERIFY(QFileInfo::exists(cartella + QStringLiteral("/unins000.dll")));

    // The folder, and any folder the script made to hold it, the user's alone.
    QCOMPARE(Modo(cartella), mode_t(0700));
    if (caso == u"nuova") {
        QCOMPARE(Modo(d.filePath(QStringLiteral("casa/utente"))), mode_t(0700));
        QCOMPARE(Modo(d.filePath(QStringLiteral("casa"))), mode_t(0700));
    }
    for (const QString &f : kDati)
        if (QFileInfo::exists(cartella + u'/' + f))
            QVERIFY2(Modo(cartella + u'/' + f) == 0600, qPrintable(f));
    for (const char *c : {"Documenti_Allegati", "Backup"})
        if (QFileInfo::exists(cartella + u'/' + QLatin1String(c)))
            QVERIFY2(Modo(cartella + u'/' + QLatin1String(c)) == 0700, c);
    // The program's own files (program, guide, icon, desktop entry) may be
    // read through the folder only by its owner, and written by no one else.
    QDirIterator it(cartella, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        QVERIFY2((Modo(f) & 022) == 0, qPrintable(QStringLiteral("%1 %2").arg(f).arg(Modo(f), 0, 8)));
    }
}

QTEST_GUILESS_MAIN(TestScriptAvvio)
#include "tst_script_avvio.moc"
