#pragma once

#include <QString>

// Program shortcuts as desktop entries (".desktop" files, UTF-8 as their
// format demands).
namespace qel {

// The user's desktop: $XDG_DESKTOP_DIR, else the desktop of the XDG user
// folders, else ~/Desktop.
QString DesktopFolder();
// The start menu: $XDG_DATA_HOME/applications (default ~/.local/share/applications).
QString StartMenuFolder();

// The shortcut file for a program name: name + ".desktop".
QString ShortcutFileName(const QString& name);

// The program a shortcut starts (the first word of its Exec line, unquoted);
// empty when the file is missing or is not a shortcut to a program.
QString ShortcutTarget(const QString& shortcutPath);

// Writes (or replaces) a shortcut named by the file name, with the description
// as its comment, starting target. Creates the folder when missing.
bool WriteShortcut(const QString& shortcutPath, const QString& description, const QString& target,
                   QString* error = nullptr);

}  // namespace qel
