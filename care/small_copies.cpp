#include "care/small_copies.h"

#include "core/messages.h"
#include "core/settings.h"
#include "platform/clock.h"
#include "platform/datetime.h"
#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString& Section()
{
    static const QString section = QStringLiteral("Kopie zapasowe");
    return section;
}

bool ReadFlag(const QString& name, bool defaultValue)
{
    const QString text = qel::ReadSetting(Section(), name).trimmed().toLower();
    if (text.isEmpty())
        return defaultValue;
    for (const char* yes : {"tak", "1", "yes", "ok", "true", "prawda"})
        if (text == QLatin1StringView(yes))
            return true;
    return false;
}

void WriteFlag(const QString& name, bool value)
{
    qel::WriteSetting(Section(), name, value ? QStringLiteral("TAK") : QStringLiteral("NIE"));
}

}  // namespace

SmallCopySettings SmallCopySettings::Load()
{
    SmallCopySettings s;
    s.make = ReadFlag(QStringLiteral("Wykonuj małe kopie"), s.make);
    s.deleteOld = ReadFlag(QStringLiteral("Kasuj małe kopie automatycznie"), s.deleteOld);
    s.deleteAfterDays = qel::ReadSettingInt(Section(), QStringLiteral("Kasuj małe kopie po dniach"), s.deleteAfterDays);
    return s;
}

void SmallCopySettings::Save() const
{
    WriteFlag(QStringLiteral("Wykonuj małe kopie"), make);
    WriteFlag(QStringLiteral("Kasuj małe kopie automatycznie"), deleteOld);
    qel::WriteSettingInt(Section(), QStringLiteral("Kasuj małe kopie po dniach"), deleteAfterDays);
}

QString SmallCopyName(const QString& path)
{
    const QFileInfo info(path);
    const QDate today = qel::Today();
    return qel::WithTrailingSlash(info.absolutePath()) +
           QStringLiteral("Kopia %1%2 %3")
               .arg(today.year() % 100)
               .arg(7 * today.month() + today.day() / 7)
               .arg(info.fileName());
}

namespace {

void DeleteOldCopies(const QString& path, const QString& keep, int afterDays)
{
    const QFileInfo info(path);
    const QString suffix = u' ' + info.fileName();
    const TDateTime now = qel::ToDateTime(qel::Now());
    int count = 0;
    qint64 total = 0;
    const QFileInfoList files = QDir(info.absolutePath()).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& file : files) {
        const QString name = file.fileName();
        if (!name.startsWith(QStringLiteral("Kopia "), Qt::CaseInsensitive) ||
            !name.endsWith(suffix, Qt::CaseInsensitive) || name.size() < 6 + suffix.size() ||
            file.absoluteFilePath().compare(QFileInfo(keep).absoluteFilePath(), Qt::CaseInsensitive) == 0)
            continue;
        if (now - qel::ToDateTime(file.lastModified()) < afterDays)
            continue;
        const qint64 size = file.size();
        if (QFile::remove(file.absoluteFilePath())) {
            total += size;
            ++count;
        } else {
            ShowMessage(QStringLiteral("Nie udało się usunąć pliku!\r\n") + file.absoluteFilePath());
        }
    }
    if (count > 0 && total > 0)
        ShowMessage(QStringLiteral("Usunąłem stare, niepotrzebne kopie zapasowe.\r\n"
                                   "Liczba usuniętych plików: %1\r\nZaoszczędziłem ogółem: %2 kB")
                        .arg(count)
                        .arg(total / 1000));
}

}  // namespace

bool MakeSmallCopy(const QString& path, bool move, bool cleanUp)
{
    const SmallCopySettings settings = SmallCopySettings::Load();
    if (!QFileInfo::exists(path) || !settings.make)
        return false;
    const QString copy = SmallCopyName(path);
    if (QFileInfo::exists(copy) && !QFile::remove(copy))
        return false;
    if (!(move ? QFile::rename(path, copy) : QFile::copy(path, copy)))
        return false;
    if (cleanUp && settings.deleteOld)
        DeleteOldCopies(path, copy, settings.deleteAfterDays);
    return true;
}
