#include "access/Accesso.h"
#include "access/Crypt.h"

#include <QSettings>
#include <QtTest>

// The store that the installation lays down must open with the initial
// password named in the guide.
class TestArchivioPassword : public QObject {
    Q_OBJECT
private slots:
    void storeInstallato_contieneLaPasswordIniziale()
    {
        QSettings ini(QStringLiteral(VALMORA_STORE_INSTALLATO), QSettings::IniFormat);
        const QString valore = ini.value(QStringLiteral("Accesso/Valore")).toString();
        QVERIFY(!valore.isEmpty());
        QCOMPARE(Crypt::DecodificaPassword(valore), QString::fromUtf16(Crypt::PasswordIniziale));
        QCOMPARE(Accesso::LeggiPassword(QStringLiteral(VALMORA_STORE_INSTALLATO)),
                 QString::fromUtf16(Crypt::PasswordIniziale));
    }
};

QTEST_GUILESS_MAIN(TestArchivioPassword)
#include "tst_archivio_password.moc"
