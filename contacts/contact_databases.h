#pragma once

#include "core/qel_object.h"

// The users (database 3) and contractors (database 2) lists, kept for the whole run.
tQelList& Uzytkownicy();
tQelList& Kontrahenci();

// Start-up: constructs both databases (each resolves, reads or offers to create
// its file), announced in the progress window.
void OpenContactDatabases();
