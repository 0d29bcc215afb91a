#include "platform/clock.h"

#include <QtGlobal>

namespace qel {

QDateTime Now()
{
    const QByteArray fixed = qgetenv("QEL_NOW");
    if (!fixed.isEmpty()) {
        QDateTime t = QDateTime::fromString(QString::fromLatin1(fixed), Qt::ISODate);
        if (!t.isValid()) {
            const QDate d = QDate::fromString(QString::fromLatin1(fixed), Qt::ISODate);
            if (d.isValid())
                t = QDateTime(d, QTime(0, 0));
        }
        if (t.isValid())
            return t;
    }
    return QDateTime::currentDateTime();
}

QDate Today()
{
    return Now().date();
}

}  // namespace qel
