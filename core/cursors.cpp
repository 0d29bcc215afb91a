#include "core/cursors.h"

#include <QGuiApplication>
#include <QHash>

namespace qel {
namespace {

QHash<int, Qt::CursorShape>& Registry()
{
    static QHash<int, Qt::CursorShape> cursors;
    return cursors;
}

}  // namespace

void RegisterCursors()
{
    // The animated pictures of the original resources are not carried; each number
    // gets the desktop cursor that says the same.
    QHash<int, Qt::CursorShape>& r = Registry();
    for (int i = 1; i <= 10; ++i) {
        r.insert(110 + i, Qt::BusyCursor);       // CRD_nn: copying
        r.insert(120 + i, Qt::BusyCursor);       // PAP_nn: paper
        r.insert(130 + i, Qt::WhatsThisCursor);  // HPnn: help
        r.insert(140 + i, Qt::BusyCursor);       // KELNnn
        r.insert(210 + i, Qt::BusyCursor);       // DUPEKnn
        r.insert(220 + i, Qt::BusyCursor);       // SKEJTnn
    }
    r.insert(150, Qt::DragMoveCursor);   // DRAGSONG
    r.insert(151, Qt::DragCopyCursor);   // DRAGSONGS
    r.insert(159, Qt::PointingHandCursor);  // GLOSNIK
    r.insert(161, Qt::WhatsThisCursor);  // HELP
    r.insert(171, Qt::BusyCursor);       // MONITOR
    r.insert(crRead, Qt::BusyCursor);
    r.insert(crSave, Qt::WaitCursor);
    r.insert(crHand, Qt::PointingHandCursor);
    r.insert(crItem, Qt::PointingHandCursor);
}

QCursor CursorFor(int number)
{
    return QCursor(Registry().value(number, Qt::ArrowCursor));
}

CursorScope::CursorScope(int number)
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(CursorFor(number));
        active_ = true;
    }
}

CursorScope::~CursorScope()
{
    if (active_)
        QGuiApplication::restoreOverrideCursor();
}

void ShowHourglass()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void RestoreNormalCursor()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

}  // namespace qel
