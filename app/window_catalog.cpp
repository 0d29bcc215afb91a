#include "app/window_catalog.h"

#include <QWidget>

// Keep the list sorted by name; one line a window.
const std::vector<WindowEntry>& WindowCatalog()
{
    static const std::vector<WindowEntry> catalog = {
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
