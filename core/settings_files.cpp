#include "core/settings.h"

#include "platform/paths.h"
#include "platform/registry.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <deque>

namespace qel {

namespace {

const QString kPlik = QStringLiteral("Plik");

// Cached once per run; keyed by QEL_HOME as well, since that names the drive.
QHash<QString, QString>& Resolved()
{
    static QHash<QString, QString> cache;
    return cache;
}

QString AuxiliaryFile(const QString& section, const QString& fileName)
{
    const QString cacheKey = QelHome() + u'\n' + section;
    if (const auto it = Resolved().constFind(cacheKey); it != Resolved().cend())
        return *it;
    const QString ini = QelIniPath();
    const QString fallback = QFileInfo(ini).absolutePath() + u'/' + fileName;
    QString path = MapWindowsPath(IniReadString(ini, section, kPlik, fallback));
    if (path.isEmpty())
        path = fallback;
    IniWriteString(ini, section, kPlik, path);
    Resolved().insert(cacheKey, path);
    return path;
}

// Bounds of the help-file search: a huge or looping folder tree must not hold
// up the start.
constexpr int kHelpSearchDepth = 8;
constexpr int kHelpSearchFolders = 20000;
constexpr int kHelpSearchMilliseconds = 1500;

}  // namespace

// Breadth first, so the shallowest copy is found first; symbolic links to
// folders are not followed (they may loop).
QString FindFileBelow(const QStringList& roots, const QString& fileName, int maxDepth, int maxFolders, int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    std::deque<std::pair<QString, int>> queue;
    for (const QString& root : roots)
        if (!root.isEmpty() && QFileInfo(root).isDir())
            queue.emplace_back(root, 0);
    int visited = 0;
    while (!queue.empty() && visited < maxFolders && !deadline.hasExpired()) {
        const auto [folder, depth] = queue.front();
        queue.pop_front();
        ++visited;
        const QDir dir(folder);
        for (const QFileInfo& file : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
            if (file.fileName().compare(fileName, Qt::CaseInsensitive) == 0)
                return file.absoluteFilePath();
        if (depth >= maxDepth)
            continue;
        for (const QFileInfo& sub : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name))
            if (!sub.isSymLink())
                queue.emplace_back(sub.absoluteFilePath(), depth + 1);
    }
    return {};
}

QString NipExceptionsFile()
{
    return AuxiliaryFile(QStringLiteral("Wyjątki NIP"), QStringLiteral("wyjatki.nip"));
}

QString InterestTableFile()
{
    return AuxiliaryFile(QStringLiteral("Odsetki"), QStringLiteral("odsetki.dat"));
}

QString HelpFile()
{
    const QString section = QStringLiteral("Plik Pomocy");
    const QString cacheKey = QelHome() + u'\n' + section;
    if (const auto it = Resolved().constFind(cacheKey); it != Resolved().cend())
        return *it;
    const QString ini = QelIniPath();
    QString path = MapWindowsPath(IniReadString(ini, section, kPlik));
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        // The program's folder first (where an installation puts the file),
        // then the whole of drive C:.
        const QString programFolder = QFileInfo(QCoreApplication::applicationFilePath()).absolutePath();
        path = FindFileBelow({programFolder}, QStringLiteral("qel.hlp"), 2, kHelpSearchFolders, kHelpSearchMilliseconds);
        if (path.isEmpty())
            path = FindFileBelow({DriveRoot(u'c')}, QStringLiteral("qel.hlp"), kHelpSearchDepth, kHelpSearchFolders,
                                 kHelpSearchMilliseconds);
        if (!path.isEmpty())
            IniWriteString(ini, section, kPlik, path);
    }
    Resolved().insert(cacheKey, path);
    return path;
}

// ---- The sender's data ----

const QStringList& SenderFieldNames()
{
    static const QStringList names = {
        QStringLiteral("Imię"),    QStringLiteral("Nazwisko"), QStringLiteral("Firma"),       QStringLiteral("Adres"),
        QStringLiteral("Kod"),     QStringLiteral("Miasto"),   QStringLiteral("E-mail"),      QStringLiteral("WWW"),
        QStringLiteral("Telefon"), QStringLiteral("Faks"),     QStringLiteral("Bank"),        QStringLiteral("Numer konta"),
        QStringLiteral("NIP"),     QStringLiteral("Regon"),
    };
    return names;
}

namespace {
const QString kSenderSection = QStringLiteral("Dane użytkownika");
}

QStringList LoadSenderData()
{
    QStringList values;
    for (const QString& name : SenderFieldNames())
        values.append(ReadSetting(kSenderSection, name));
    return values;
}

bool SaveSenderData(const QStringList& values)
{
    // One rewrite of the store for all of them; a failing registry says so
    // once, not fourteen times.
    RegistryBatch batch(RegHive::CurrentUser);
    for (int i = 0; i < kSenderFieldCount; ++i)
        if (!WriteSetting(kSenderSection, SenderFieldNames()[i], values.value(i)))
            return false;
    QString error;
    if (batch.commit(&error))
        return true;
    ShowRegistryFailure(error);
    return false;
}

}  // namespace qel
