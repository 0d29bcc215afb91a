#include "platform/paths.h"

#include <QDir>
#include <QStandardPaths>

namespace qel {

QString QelHome()
{
    QString home = qEnvironmentVariable("QEL_HOME");
    if (home.isEmpty()) {
        QString data = qEnvironmentVariable("XDG_DATA_HOME");
        if (data.isEmpty())
            data = QDir::homePath() + QStringLiteral("/.local/share");
        home = data + QStringLiteral("/qel");
    }
    home = QDir::cleanPath(QDir(home).absolutePath());
    QDir().mkpath(home);
    return home;
}

QString DriveRoot(QChar drive)
{
    const QChar letter = drive.toLower();
    if (letter == u'c')
        return QelHome();
    return QelHome() + QStringLiteral("/drives/") + letter;
}

QString ProgramFolder()
{
    const QString folder = QelHome() + QStringLiteral("/Mirtal");
    QDir().mkpath(folder);
    return folder;
}

QString MapWindowsPath(const QString& windowsPath)
{
    if (windowsPath.startsWith(u'/'))
        return windowsPath;
    QString p = windowsPath;
    p.replace(u'\\', u'/');
    if (p.size() >= 2 && p[1] == u':' && p[0].isLetter()) {
        const QString rest = p.mid(2);
        QString root = DriveRoot(p[0]);
        if (rest.isEmpty() || rest == QStringLiteral("/"))
            return root + u'/';
        return root + (rest.startsWith(u'/') ? rest : u'/' + rest);
    }
    return p;
}

QString WithTrailingSlash(const QString& folder)
{
    if (folder.isEmpty() || folder.endsWith(u'/'))
        return folder;
    return folder + u'/';
}

}  // namespace qel
