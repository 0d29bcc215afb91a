#include "platform/atomic_file.h"

#include "platform/clock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace qel {

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    const QFileInfo info(path);
    if (info.isDir())
        return fail(QStringLiteral("%1 jest folderem").arg(path));
    if (!QDir().mkpath(info.absolutePath()))
        return fail(QStringLiteral("Nie można utworzyć folderu %1").arg(info.absolutePath()));
    QSaveFile file(path);
    // Writing beside and renaming needs a writable folder; refuse rather than
    // fall back to overwriting the old file in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

QString KeepDamagedCopy(const QString& path)
{
    const QString base = path + QStringLiteral(".uszkodzony-") + Now().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString copy = base;
    for (int n = 2; QFileInfo::exists(copy); ++n)
        copy = base + u'-' + QString::number(n);
    return QFile::copy(path, copy) ? copy : QString();
}

}  // namespace qel
