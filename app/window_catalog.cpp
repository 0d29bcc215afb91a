#include "app/window_catalog.h"

#include "calc/kalkulator_odsetkowy.h"
#include "calc/kalkulator_podatkowy.h"
#include "core/warning_dialog.h"
#include "print/splash.h"

#include <QWidget>

// Keep the list sorted by name; one line a window.
const std::vector<WindowEntry>& WindowCatalog()
{
    static const std::vector<WindowEntry> catalog = {
        {QStringLiteral("TeDm_Splash"), [](const QStringList&) -> QWidget* { return new TeDm_Splash; }},
        {QStringLiteral("TeKalkulatorOdsetkowy"), [](const QStringList&) -> QWidget* { return new TeKalkulatorOdsetkowy; }},
        {QStringLiteral("TeKalkulatorPodatkowy"), [](const QStringList&) -> QWidget* { return new TeKalkulatorPodatkowy; }},
        {QStringLiteral("TeQelWarningDialog"), [](const QStringList& a) -> QWidget* { auto* d = new TeQelWarningDialog; d->SetupFromMessage(QString(a.value(0)).replace(QStringLiteral("\\r\\n"), QStringLiteral("\r\n")), a.value(1), a.value(2)); return d; }},
    };
    return catalog;
}

QWidget* CreateWindowByName(const QString& name, const QStringList& args)
{
    for (const WindowEntry& e : WindowCatalog()) {
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return e.create(args);
    }
    return nullptr;
}
