#include "platform/app_identity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <optional>

#ifndef MIRTAL_VERSION_TEXT
#error "MIRTAL_VERSION_TEXT (the project's version) must be defined by the build"
#endif

namespace {

// The identity of this program, in a section of its own so that it can be found
// in the file without reading all of it.
[[gnu::used, gnu::retain, gnu::section("qel_version")]] const char kIdentity[] =
    "QELVERSIONINFO\0"
    "CompanyName=QEL\0"
    "ProductName=Mirtal\0"
    "FileVersion=" MIRTAL_VERSION_TEXT "\0"
    "Comments=Kalkulatory i pisma dla podatnik\xc3\xb3w i ma\xc5\x82ych firm\0"
    "FileDescription=Mirtal\0";

constexpr char kSectionName[] = "qel_version";
constexpr qint64 kMaxIdentitySize = 64 * 1024;

// "1.2" -> "1.2.0.0", as the four numbers of a file version.
QString FourPartVersion(const QString& text)
{
    if (text.isEmpty())
        return {};
    QStringList parts = text.split(u'.');
    QStringList numbers;
    for (int i = 0; i < 4; ++i)
        numbers.append(QString::number(parts.value(i).toInt()));
    return numbers.join(u'.');
}

TNazwaAplikacji Parse(const QByteArray& bytes)
{
    TNazwaAplikacji identity;
    const QList<QByteArray> fields = bytes.split('\0');
    if (fields.value(0) != "QELVERSIONINFO")
        return identity;
    for (qsizetype i = 1; i < fields.size(); ++i) {
        const qsizetype eq = fields[i].indexOf('=');
        if (eq <= 0)
            continue;
        const QByteArray name = fields[i].left(eq);
        const QString value = QString::fromUtf8(fields[i].mid(eq + 1));
        if (name == "CompanyName")
            identity.companyName = value;
        else if (name == "ProductName")
            identity.productName = value;
        else if (name == "FileVersion")
            identity.version = FourPartVersion(value);
        else if (name == "Comments")
            identity.comments = value;
        else if (name == "FileDescription")
            identity.fileDescription = value;
    }
    return identity;
}

// Reads fixed-size fields of an ELF file of either class and byte order,
// never past its end.
class ElfReader {
public:
    explicit ElfReader(QFile& file) : file_(file), size_(file.size()) {}

    std::optional<QByteArray> section(const char* wanted)
    {
        const auto ident = bytes(0, 16);
        if (!ident || !ident->startsWith("\x7f" "ELF"))
            return std::nullopt;
        wide_ = ident->at(4) == 2;
        bigEndian_ = ident->at(5) == 2;
        if ((ident->at(4) != 1 && !wide_) || (ident->at(5) != 1 && !bigEndian_))
            return std::nullopt;
        const auto shoff = number(wide_ ? 0x28 : 0x20, wide_ ? 8 : 4);
        const auto shentsize = number(wide_ ? 0x3a : 0x2e, 2);
        const auto shnum = number(wide_ ? 0x3c : 0x30, 2);
        const auto shstrndx = number(wide_ ? 0x3e : 0x32, 2);
        if (!shoff || !shentsize || !shnum || !shstrndx || *shstrndx >= *shnum || *shentsize < (wide_ ? 64u : 40u))
            return std::nullopt;
        const auto header = [&](quint64 index, int field64, int field32, int width64, int width32) {
            return number(*shoff + index * *shentsize + (wide_ ? field64 : field32), wide_ ? width64 : width32);
        };
        const auto namesOffset = header(*shstrndx, 0x18, 0x10, 8, 4);
        const auto namesSize = header(*shstrndx, 0x20, 0x14, 8, 4);
        if (!namesOffset || !namesSize)
            return std::nullopt;
        const size_t wantedSize = std::strlen(wanted) + 1;
        for (quint64 i = 0; i < *shnum; ++i) {
            const auto nameAt = header(i, 0x00, 0x00, 4, 4);
            const auto type = header(i, 0x04, 0x04, 4, 4);
            if (!nameAt || !type || *nameAt >= *namesSize || *type == 8 /* no bits in the file */)
                continue;
            const auto name = bytes(*namesOffset + *nameAt, static_cast<qint64>(wantedSize));
            if (!name || std::memcmp(name->constData(), wanted, wantedSize) != 0)
                continue;
            const auto offset = header(i, 0x18, 0x10, 8, 4);
            const auto length = header(i, 0x20, 0x14, 8, 4);
            if (!offset || !length || *length > kMaxIdentitySize)
                return std::nullopt;
            return bytes(*offset, static_cast<qint64>(*length));
        }
        return std::nullopt;
    }

private:
    std::optional<QByteArray> bytes(quint64 offset, qint64 length)
    {
        if (length < 0 || offset > static_cast<quint64>(size_) || static_cast<quint64>(length) > static_cast<quint64>(size_) - offset)
            return std::nullopt;
        if (!file_.seek(static_cast<qint64>(offset)))
            return std::nullopt;
        QByteArray data = file_.read(length);
        if (data.size() != length)
            return std::nullopt;
        return data;
    }

    std::optional<quint64> number(quint64 offset, int width)
    {
        const auto data = bytes(offset, width);
        if (!data)
            return std::nullopt;
        quint64 value = 0;
        for (int i = 0; i < width; ++i) {
            const int at = bigEndian_ ? i : width - 1 - i;
            value = (value << 8) | static_cast<quint8>(data->at(at));
        }
        return value;
    }

    QFile& file_;
    qint64 size_;
    bool wide_ = false;
    bool bigEndian_ = false;
};

}  // namespace

namespace qel {

QString IdentityDisplayName(const TNazwaAplikacji& identity, const QString& executablePath)
{
    if (identity.productName.isEmpty() && identity.companyName.isEmpty()) {
        const QString name = QFileInfo(executablePath).fileName();
        return name.left(name.indexOf(u'.'));
    }
    return QStringLiteral("%1 (%2) %3").arg(identity.productName, identity.companyName, identity.version);
}

TNazwaAplikacji ReadApplicationIdentity(const QString& executablePath)
{
    TNazwaAplikacji identity;
    QFile file(executablePath);
    if (QFileInfo(executablePath).isFile() && file.open(QIODevice::ReadOnly)) {
        ElfReader reader(file);
        if (const auto section = reader.section(kSectionName))
            identity = Parse(*section);
    }
    identity.displayName = IdentityDisplayName(identity, executablePath);
    return identity;
}

TNazwaAplikacji OwnApplicationIdentity()
{
    TNazwaAplikacji identity = Parse(QByteArray(kIdentity, sizeof kIdentity));
    identity.displayName = IdentityDisplayName(identity, QString());
    return identity;
}

QStringList RunningExecutables()
{
    QList<qint64> pids;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (ok)
            pids.append(pid);
    }
    std::sort(pids.begin(), pids.end());
    QStringList paths;
    for (qint64 pid : pids) {
        const QByteArray link = QFile::encodeName(QStringLiteral("/proc/%1/exe").arg(pid));
        char target[4096];
        const ssize_t n = ::readlink(link.constData(), target, sizeof target);
        if (n <= 0 || n == sizeof target)
            continue;  // kernel threads, other users' processes
        QString path = QFile::decodeName(QByteArray(target, n));
        // A program replaced on disk while it runs (an update) still counts.
        if (path.endsWith(QStringLiteral(" (deleted)")))
            path.chop(10);
        if (!paths.contains(path))
            paths.append(path);
    }
    return paths;
}

}  // namespace qel
