#include "contacts/contact_databases.h"

#include "contacts/contact_item.h"
#include "core/database.h"
#include "core/progress_note.h"

namespace {

struct ContactDatabase {
    tQelList list;
    QString path;
};

ContactDatabase& Users()
{
    static ContactDatabase database;
    return database;
}

ContactDatabase& Contractors()
{
    static ContactDatabase database;
    return database;
}

}  // namespace

tQelList& Uzytkownicy()
{
    return Users().list;
}

tQelList& Kontrahenci()
{
    return Contractors().list;
}

void OpenContactDatabases()
{
    RegisterContactClasses();
    qel::ShowProgressNote(QStringLiteral("Odczytuję bazy użytkowników i kontrahentów..."));
    qel::ConstructDatabase(Users().list, qel::dbUsers, Users().path);
    qel::ConstructDatabase(Contractors().list, qel::dbContractors, Contractors().path);
}
