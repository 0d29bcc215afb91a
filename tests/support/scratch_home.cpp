#include "scratch_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ScratchHome::ScratchHome(const char* now)
    : oldHome_(qgetenv("QEL_HOME")), oldNow_(qgetenv("QEL_NOW"))
{
    qputenv("QEL_HOME", dir_.path().toLocal8Bit());
    if (now)
        qputenv("QEL_NOW", now);
}

ScratchHome::~ScratchHome()
{
    qputenv("QEL_HOME", oldHome_);
    qputenv("QEL_NOW", oldNow_);
}

bool WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray ReadFileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
