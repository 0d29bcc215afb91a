#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh QEL_HOME (and optionally a fixed QEL_NOW) for one test; both are put
// back when it goes out of scope.
class ScratchHome {
public:
    explicit ScratchHome(const char* now = nullptr);
    ~ScratchHome();
    ScratchHome(const ScratchHome&) = delete;
    ScratchHome& operator=(const ScratchHome&) = delete;

    QString path() const { return dir_.path(); }
    QString file(const QString& relative) const { return dir_.path() + u'/' + relative; }

private:
    QTemporaryDir dir_;
    QByteArray oldHome_;
    QByteArray oldNow_;
};

// Writes bytes to a file, creating its folder; returns false on failure.
bool WriteFileBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadFileBytes(const QString& path);
