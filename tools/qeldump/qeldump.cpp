// qeldump FILE: prints a database file as UTF-8 text for support and tests.
// An unreadable file prints what could be read, then the reason on stderr (exit 1).

#include "contacts/contact_item.h"
#include "core/database_dump.h"
#include "core/qel_object.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() != 1) {
        std::fputs("użycie: qeldump PLIK\n", stderr);
        return 2;
    }
    qel::RegisterPersistentClasses();
    RegisterContactClasses();

    QFile file(args[0]);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(args[0]), file.errorString().toUtf8().constData());
        return 1;
    }
    QStringList lines;
    const QString error = qel::DumpDatabase(file.readAll(), lines);
    for (const QString& line : lines) {
        const QByteArray bytes = line.toUtf8() + '\n';
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    }
    std::fflush(stdout);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return 1;
    }
    return 0;
}
