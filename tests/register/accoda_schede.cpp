// Appends N records to an archive the way the editor saves a new record, for
// the test that runs two of these at once against one file.
// Usage: accoda_schede <archive> <tag> <count>

#include "register/Archivio.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = QCoreApplication::arguments();
    if (a.size() != 4)
        return 2;
    const int quante = a.at(3).toInt();
    try {
        for (int i = 0; i < quante; ++i) {
            TScheda s;
            s.ImpostaTesto(Campo::Fornitore, a.at(2));
            s.ImpostaTesto(Campo::NumDoc, QString::number(i));
            s.ImpostaTesto(Campo::Note, QString(250, QChar(u'a' + i % 26)));
            Archivio ar(a.at(1));
            ar.ApriArchivio();
            ar.AccodaScheda(s);
            ar.Chiudi();
        }
    } catch (const ErroreArchivio &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
