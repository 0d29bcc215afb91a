#include "core/log_file.h"

#include "platform/clock.h"
#include "platform/cp1250.h"

#include <QFile>

namespace qel {

bool AppendLogLine(const QString& path, const QString& text)
{
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray bytes = EncodeCp1250(Now().toString(QStringLiteral("dd-MM-yyyy hh:mm:ss")) +
                                          QStringLiteral(" - ") + line + QStringLiteral("\r\n"));
    return file.write(bytes) == bytes.size();
}

}  // namespace qel
