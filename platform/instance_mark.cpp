#include "platform/instance_mark.h"

#include "platform/paths.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

namespace qel {

namespace {

struct Holder {
    qint64 pid = 0;
    QByteArray startTime;  // guards against a reused process id

    bool operator==(const Holder&) const = default;
};

QString MarkPath(const QString& executablePath)
{
    const QByteArray hash = QCryptographicHash::hash(executablePath.toUtf8(), QCryptographicHash::Sha1).toHex().left(20);
    return QelHome() + QStringLiteral("/run/instance-") + QString::fromLatin1(hash) + QStringLiteral(".pid");
}

std::optional<QByteArray> StartTimeOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = stat.readAll();
    // The command name in parentheses may hold blanks; the fields count from after it.
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    constexpr int kStartTimeField = 22 - 3;
    if (fields.size() <= kStartTimeField)
        return std::nullopt;
    return fields[kStartTimeField];
}

bool Runs(const Holder& holder)
{
    const auto start = StartTimeOf(holder.pid);
    return start && *start == holder.startTime;
}

Holder Self()
{
    const qint64 pid = QCoreApplication::applicationPid();
    return {pid, StartTimeOf(pid).value_or(QByteArray())};
}

// The mark file, opened and locked against the other copies for one change.
class LockedMark {
public:
    explicit LockedMark(const QString& path, bool create) : path_(QFile::encodeName(path))
    {
        if (create)
            QDir().mkpath(QFileInfo(path).absolutePath());
        for (int attempt = 0; attempt < 10; ++attempt) {
            fd_ = ::open(path_.constData(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0644);
            if (fd_ < 0)
                return;
            struct stat st {};
            if (::flock(fd_, LOCK_EX) == 0 && ::fstat(fd_, &st) == 0 && st.st_nlink > 0)
                return;
            // The last holder removed the file meanwhile: open the new one.
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~LockedMark()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    LockedMark(const LockedMark&) = delete;
    LockedMark& operator=(const LockedMark&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    QList<Holder> holders() const
    {
        QByteArray text;
        char buffer[4096];
        ::lseek(fd_, 0, SEEK_SET);
        for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;)
            text.append(buffer, n);
        QList<Holder> result;
        const QList<QByteArray> lines = text.split('\n');
        for (qsizetype i = 1; i < lines.size(); ++i) {  // the first line names the program
            const QList<QByteArray> parts = lines[i].trimmed().split(' ');
            bool ok = false;
            const qint64 pid = parts.value(0).toLongLong(&ok);
            if (ok && parts.size() == 2 && pid > 0)
                result.append({pid, parts[1]});
        }
        return result;
    }

    void store(const QString& executablePath, const QList<Holder>& holders)
    {
        if (holders.isEmpty()) {
            ::unlink(path_.constData());
            return;
        }
        QByteArray text = executablePath.toUtf8() + '\n';
        for (const Holder& h : holders)
            text += QByteArray::number(h.pid) + ' ' + h.startTime + '\n';
        if (::ftruncate(fd_, 0) != 0)
            return;
        ::lseek(fd_, 0, SEEK_SET);
        for (qsizetype done = 0; done < text.size();) {
            const ssize_t n = ::write(fd_, text.constData() + done, static_cast<size_t>(text.size() - done));
            if (n <= 0)
                return;
            done += n;
        }
    }

private:
    QByteArray path_;
    int fd_ = -1;
};

}  // namespace

bool InstanceMarkExists(const QString& executablePath)
{
    LockedMark mark(MarkPath(executablePath), false);
    if (!mark.isOpen())
        return false;
    const Holder self = Self();
    const QList<Holder> holders = mark.holders();
    return std::any_of(holders.cbegin(), holders.cend(), [&](const Holder& h) { return !(h == self) && Runs(h); });
}

InstanceMarkResult CreateInstanceMark(const QString& executablePath)
{
    InstanceMarkResult result;
    LockedMark mark(MarkPath(executablePath), true);
    if (!mark.isOpen())
        return result;
    const Holder self = Self();
    QList<Holder> holders = mark.holders();
    const qsizetype before = holders.size();
    holders.removeIf([&](const Holder& h) { return !(h == self) && !Runs(h); });
    result.tookOverStale = holders.size() < before && holders.isEmpty();
    if (!holders.contains(self))
        holders.append(self);
    mark.store(executablePath, holders);
    result.created = true;
    return result;
}

bool DeleteInstanceMark(const QString& executablePath)
{
    LockedMark mark(MarkPath(executablePath), false);
    if (!mark.isOpen())
        return false;
    const Holder self = Self();
    QList<Holder> holders = mark.holders();
    if (!holders.removeAll(self))
        return false;
    holders.removeIf([](const Holder& h) { return !Runs(h); });
    mark.store(executablePath, holders);
    return true;
}

}  // namespace qel
