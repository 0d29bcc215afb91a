#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

// The program's windows by class name, for the snapshot tool and the tests that
// open a window the way the launcher would.
struct WindowEntry {
    QString name;
    // args: free arguments of the caller (e.g. the message a dialog shows).
    std::function<QWidget*(const QStringList& args)> create;
};

const std::vector<WindowEntry>& WindowCatalog();
QWidget* CreateWindowByName(const QString& name, const QStringList& args = {});
