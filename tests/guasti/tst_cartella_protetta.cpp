// A program folder the program cannot write to (installed in a protected
// place, or a read-only stick): the user still gets in, and every command that
// needs the archive says so clearly instead of pretending.
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "SolaLettura.h"
#include "Programma.h"
#include "access/Password.h"
#include "platform/Schermate.h"
#include "register/Archivio.h"
#include "register/RegPagamenti.h"
#include "ui_RegPagamenti.h"

#include <QFile>
#include <QtTest>

namespace {

const QString kAccesso = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");

} // namespace

class TestCartellaProtetta : public QObject {
    Q_OBJECT
private slots:
    void init() { Programma::CreaSchermate(); }
    void cleanup() { Programma::DistruggiSchermate(); }
    void accessoEArchivio();
};

void TestCartellaProtetta::accessoEArchivio()
{
    FakeDesktopInstallato fake;
    QVERIFY(QFile::copy(QFINDTESTDATA("../../packaging/unins000.dll"), fake.percorso(QStringLiteral("unins000.dll"))));
    SolaLettura blocco(fake.cartella.path());
    if (!blocco.Riuscita())
        QSKIP("this file system cannot protect a folder");

    Schermate &s = Schermate::Globali();
    QWidget *accesso = s.frmPassword;
    accesso->show();
    GuiTest::Scrivi(accesso, QStringLiteral("txtPassword"), QStringLiteral("valmora2026"));
    GuiTest::Clicca(accesso, QStringLiteral("cmdOK"));
    QVERIFY2(fake.messaggi.isEmpty(), qPrintable(fake.ultimoTesto()));

    auto *editor = qobject_cast<TfrmRegPagamenti *>(s.frmRegPagamenti);
    editor->show();
    for (const char *comando : {"cmdPrimo", "cmdUltimo"}) {
        fake.pulisci();
        GuiTest::Clicca(editor, QString::fromLatin1(comando));
        QCOMPARE(fake.messaggi.size(), 1);
        QCOMPARE(fake.ultimoGenere(), FakeDesktop::Voce::Errore);
        QCOMPARE(fake.ultimoTesto(), kAccesso);
    }
    QVERIFY(!QFile::exists(fake.percorso(Archivio::NomeFile())));

    Ui::TfrmRegPagamenti *c = editor->Controlli();
    c->txtFornitore->setText(QStringLiteral("Enel"));
    c->txtCodice->setText(QStringLiteral("LUCE"));
    c->txtServizi->setText(QStringLiteral("Bolletta"));
    fake.pulisci();
    GuiTest::Clicca(editor, QStringLiteral("cmdSalva"));
    QCOMPARE(fake.ultimoGenere(), FakeDesktop::Voce::Errore);
    QCOMPARE(fake.ultimoTesto(), kAccesso);
    QVERIFY(c->lblPosizione->text().isEmpty());
    QCOMPARE(c->txtFornitore->text(), QStringLiteral("Enel")); // nothing typed is lost
    editor->hide();
}

QTEST_MAIN(TestCartellaProtetta)
#include "tst_cartella_protetta.moc"
