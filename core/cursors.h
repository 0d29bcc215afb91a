#pragma once

#include <QCursor>

// The program's cursors by their fixed numbers (191 reading a database, 181
// writing one, 111 making a backup copy, 3 hand, 4 item).
namespace qel {

enum CursorNumber : int {
    crHand = 3,
    crItem = 4,
    crBackup = 111,
    crSave = 181,
    crRead = 191,
};

void RegisterCursors();
QCursor CursorFor(int number);

// Shows a cursor for as long as it lives; nests.
class CursorScope {
public:
    explicit CursorScope(int number);
    ~CursorScope();
    CursorScope(const CursorScope&) = delete;
    CursorScope& operator=(const CursorScope&) = delete;

private:
    bool active_ = false;
};

// The hourglass of start-up and the "restore the normal cursor" of error reports.
void ShowHourglass();
void RestoreNormalCursor();

}  // namespace qel
