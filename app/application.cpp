#include "app/application.h"

#include "app/low_colour.h"
#include "core/cursors.h"
#include "core/messages.h"

#include <QEvent>
#include <QWidget>

TqelApplication::TqelApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Mirtal"));
    setApplicationDisplayName(QStringLiteral("Mirtal"));
    setQuitOnLastWindowClosed(true);
}

bool TqelApplication::notify(QObject* receiver, QEvent* event)
{
    if (lowColour_ && event->type() == QEvent::WindowActivate) {
        if (auto* w = qobject_cast<QWidget*>(receiver); w && w->isWindow())
            ApplySystemColours(w);
    }
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        AppEvents1Exception(error);
    }
    return false;
}

void AppEvents1Exception(const QString& message)
{
    qel::RestoreNormalCursor();
    ShowMessage(message);
}

void AppEvents1Exception(const std::exception& error)
{
    AppEvents1Exception(ErrorMessageOf(error));
}
