#include "platform/shortcuts.h"

#include "platform/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace qel {

QString DesktopFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("XDG_DESKTOP_DIR");
    if (!fromEnvironment.isEmpty())
        return QDir::cleanPath(fromEnvironment);
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return desktop.isEmpty() ? QDir::homePath() + QStringLiteral("/Desktop") : desktop;
}

QString StartMenuFolder()
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty())
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(data + QStringLiteral("/applications"));
}

QString ShortcutFileName(const QString& name)
{
    return name + QStringLiteral(".desktop");
}

namespace {

// The escapes of a desktop entry's string value: \s \n \t \r \\.
QString UnescapeValue(const QString& value)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            out.append(value[i]);
            continue;
        }
        const QChar c = value[++i];
        out.append(c == u's' ? QChar(u' ') : c == u'n' ? QChar(u'\n') : c == u't' ? QChar(u'\t') : c == u'r' ? QChar(u'\r') : c);
    }
    return out;
}

QString EscapeValue(const QString& value)
{
    QString out;
    for (QChar c : value) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else
            out.append(c);
    }
    return out;
}

// The first argument of an Exec line, with its quoting and field codes undone.
QString FirstExecArgument(const QString& exec)
{
    QString arg;
    bool quoted = false;
    qsizetype i = 0;
    while (i < exec.size() && exec[i].isSpace())
        ++i;
    for (; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == u'"')
                quoted = false;
            else if (c == u'\\' && i + 1 < exec.size())
                arg.append(exec[++i]);
            else
                arg.append(c);
        } else if (c == u'"') {
            quoted = true;
        } else if (c.isSpace()) {
            break;
        } else {
            arg.append(c);
        }
    }
    return arg.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

QString QuotedExecArgument(const QString& arg)
{
    QString out = QStringLiteral("\"");
    for (QChar c : arg) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out.append(u'\\');
        out.append(c);
        if (c == u'%')
            out.append(u'%');
    }
    return out + u'"';
}

}  // namespace

QString ShortcutTarget(const QString& shortcutPath)
{
    QFile file(shortcutPath);
    if (!QFileInfo(shortcutPath).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    bool inEntry = false;
    bool application = false;
    QString exec;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(u'[')) {
            inEntry = line == QStringLiteral("[Desktop Entry]");
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inEntry || eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = UnescapeValue(line.mid(eq + 1).trimmed());
        if (key == QStringLiteral("Type"))
            application = value == QStringLiteral("Application");
        else if (key == QStringLiteral("Exec") && exec.isEmpty())
            exec = value;
    }
    return application ? FirstExecArgument(exec) : QString();
}

bool WriteShortcut(const QString& shortcutPath, const QString& description, const QString& target, QString* error)
{
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Version=1.0\n"
                                        "Name=%1\n"
                                        "Comment=%2\n"
                                        "Exec=%3\n"
                                        "Path=%4\n"
                                        "Terminal=false\n")
                             .arg(EscapeValue(QFileInfo(shortcutPath).completeBaseName()), EscapeValue(description),
                                  EscapeValue(QuotedExecArgument(target)), EscapeValue(QFileInfo(target).absolutePath()));
    if (!WriteFileAtomically(shortcutPath, text.toUtf8(), error))
        return false;
    // Desktops start only launchers that are marked executable.
    QFile::setPermissions(shortcutPath, QFile::permissions(shortcutPath) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    return true;
}

}  // namespace qel
