#include "core/database.h"

#include "care/small_copies.h"
#include "core/app_state.h"
#include "core/cursors.h"
#include "core/interaction.h"
#include "core/log_file.h"
#include "core/messages.h"
#include "core/progress_note.h"
#include "core/settings.h"
#include "platform/atomic_file.h"
#include "platform/clock.h"
#include "platform/cp1250.h"
#include "platform/paths.h"
#include "platform/shortcuts.h"
#include "text/dates.h"
#include "text/format.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <array>
#include <sys/statvfs.h>

namespace qel {
namespace {

struct CatalogueEntry {
    const char16_t* identifier;
    const char16_t* fileName;
};

// Indexes are permanent: they are what every program of the family calls a database.
constexpr std::array<CatalogueEntry, kDatabaseCount> kCatalogue = {{
    {u"tts_Brak", u"ttsBrak.dat"},
    {u"tts_Dziennik_Wertala", u"Dziennik Wertala.dat"},
    {u"tts_Kontrahenci", u"Kontrahenci.dat"},
    {u"tts_Uzytkownicy", u"Użytkownicy.dat"},
    {u"tts_RaportKasowy", u"Raport kasowy.dat"},
    {u"tts_Faktury", u"Faktury.dat"},
    {u"tts_Towary", u"Towary.dat"},
    {u"tts_Zamowienia", u"Zamówienia.dat"},
    {u"tts_DrukiMagazynowe", u"Druki magazynowe.dat"},
    {u"tts_Kody_Pocztowe", u"Kody.dat"},
    {u"tts_Delegacje", u"Delegacje.dat"},
    {u"tts_Deklaracje", u"Deklaracje.dat"},
    {u"tts_Urzedy_Skarbowe", u"urzedy.dat"},
    {u"tts_Korespondencja", u"Korespondencja.dat"},
    {u"tts_Plan_Wertala", u"Plan Wertala.dat"},
    {u"tts_Kalendarz", u"Kalendarz.dat"},
    {u"tts_RejestrZakupow", u"Rejestr zakupów.dat"},
    {u"tts_RejestrSprzedazy", u"Rejestr sprzedaży.dat"},
    {u"tts_TaryfyTelefoniczne", u"Taryfy telefoniczne.dat"},
    {u"tts_Przelewy", u"Przelewy.dat"},
    {u"tts_PrzelewySkarbowe", u"Przelewy skarbowe.dat"},
    {u"tts_DokumentyKasowe", u"Dokumenty kasowe.dat"},
    {u"ttsStareKursyWalut", u"Kursy_walut.dat"},
    {u"tts_Koperty", u"Koperty.dat"},
    {u"tts_Banki", u"banki.dat"},
    {u"tts_UrzedySkarbowe_Nowe", u"skarbowe.dat"},
    {u"tts_Magazyny", u"Magazyny.dat"},
    {u"tts_JednostkiMiary", u"Jednostki miary.dat"},
    {u"tts_StawkiVat", u"Stawki VAT.dat"},
    {u"tts_Zbiorowka", u"zbiorówka.dat"},
    {u"tts_Umowy", u"Umowy.dat"},
    {u"tts_Pracownicy", u"Pracownicy.dat"},
    {u"tts_TypowiKontrahenci", u"Typowi kontrahenci.dat"},
    {u"tts_Notatki", u"Notatki.dat"},
    {u"tts_RozmowyTelefoniczne", u"Rozmowy telefoniczne.dat"},
    {u"tts_Cenniki", u"Cenniki.dat"},
    {u"tts_Oferty", u"Oferty.dat"},
    {u"tts_Zadania", u"Zadania.dat"},
    {u"tts_Pojazdy", u"Pojazdy.dat"},
    {u"tts_EwidencjaPrzebiegu", u"Ewidencja przebiegu.dat"},
    {u"tts_Wplaty", u"Wpłaty.dat"},
    {u"tts_Miasta", u"Miasta.dat"},
    {u"tts_Male_Banki", u"Oddzialy.dat"},
    {u"tts_Rozrachunki", u"Rozrachunki.dat"},
}};

const QString kUnknownFile = QStringLiteral("(nieznany plik!)");

std::array<QString, kDatabaseCount>& PathCache()
{
    static std::array<QString, kDatabaseCount> cache;
    return cache;
}

QList<tQelList*>& MutableUserDatabases()
{
    // Never freed: lists that live until exit leave it from their destructors.
    static auto* list = new QList<tQelList*>;
    return *list;
}

QList<tQelList*>& MutableReferenceDatabases()
{
    // Never freed: lists that live until exit leave it from their destructors.
    static auto* list = new QList<tQelList*>;
    return *list;
}

QString& LastError()
{
    static QString error;
    return error;
}

QString SupportLine()
{
    return QStringLiteral("Jeśli to się powtarza, zajrzyj na strony pomocy technicznej firmy QEL "
                          "albo skontaktuj się z jej działem pomocy technicznej.");
}

bool OnReadOnlyMount(const QString& path)
{
    struct statvfs info {};
    return statvfs(QFile::encodeName(path).constData(), &info) == 0 && (info.f_flag & ST_RDONLY) != 0;
}

bool FolderExists(const QString& folder)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}

// Every file named `fileName` below the folder; the walk is bounded so that a
// search from a large folder cannot keep the program busy for minutes.
void CollectFiles(const QString& folder, const QString& fileName, QStringList& found)
{
    constexpr int kMaxEntries = 200000;
    ShowProgressNote(QStringLiteral("Szukam ") + fileName + QStringLiteral("...|w ") + folder);
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    for (int n = 0; it.hasNext() && n < kMaxEntries; ++n) {
        const QFileInfo info = it.nextFileInfo();
        if (info.isFile() && info.fileName() == fileName) {
            const QString path = info.canonicalFilePath();
            if (!found.contains(path))
                found.append(path);
        }
    }
}

QString SearchForFile(const QString& fileName)
{
    const QString folder = DefaultDatabaseFolder();
    const QString qelFolder = WithTrailingSlash(MapWindowsPath(QStringLiteral("c:\\qel\\")));
    QStringList found;
    CollectFiles(folder, fileName, found);
    if (QDir(folder) != QDir(qelFolder)) {
        if (FolderExists(qelFolder))
            CollectFiles(qelFolder, fileName, found);
        QDir parent(folder);
        if (parent.cdUp())
            CollectFiles(parent.absolutePath(), fileName, found);
    }
    ShowProgressNote(QStringLiteral("Zakończyłem wyszukiwanie..."));
    EndProgressNote();
    if (found.isEmpty())
        return {};
    QString candidate = found.first();
    if (found.size() > 1) {
        Prompt pick;
        pick.kind = Prompt::Kind::Pick;
        pick.title = QStringLiteral("Pliki baz danych");
        pick.text = QStringLiteral("Wybierz plik, który chcesz użyć!");
        for (const QString& path : found)
            pick.items.append(FileDescription(path).replace(QStringLiteral("\r\n"), QStringLiteral("<br>")));
        pick.index = 0;
        const Reply reply = Ask(pick);
        if (reply.accepted() && reply.index >= 0 && reply.index < found.size())
            candidate = found[reply.index];
    }
    const bool open = ShowMessage(
        candidate + QStringLiteral(": Znalazłem plik z danymi. Czy mam go otworzyć?\r\n"
                                   "Ten plik znajduje się w nieoczekiwanej lokalizacji. "
                                   "Prawdopodobnie jednak zawiera potrzebne dane.\r\n"
                                   "Naciśnij OK, aby otworzyć tę bazę. Naciśnij Anuluj, "
                                   "aby zostawić ten plik w spokoju "
                                   "i wybrać inną lokalizację dla nowej, pustej bazy."));
    return open ? candidate : QString();
}

void Remember(tQelList& list, const QString& path)
{
    const QFileInfo info(path);
    list.fileName = path;
    list.fileSize = static_cast<qint32>(info.size());
    list.fileTime = ToDateTime(info.lastModified());
}

// "_akz_yymmdd_hhmmss_<n><name>.akz" beside the damaged file.
bool CopyUnreadableFile(const QString& path)
{
    const QFileInfo info(path);
    const QString copy = WithTrailingSlash(info.absolutePath()) + QStringLiteral("_akz_") +
                         Now().toString(QStringLiteral("yyMMdd_hhmmss_")) +
                         QString::number(QRandomGenerator::global()->bounded(79)) + info.fileName() +
                         QStringLiteral(".akz");
    if (QFile::copy(path, copy))
        return true;
    ShowMessage(QStringLiteral("Nie udało się wykonać awaryjnej kopii zapasowej!\r\n") + path + QStringLiteral("\r\n") +
                copy);
    return false;
}

// The read-only attribute is the owner's write permission (whoever runs the program).
bool ReadOnly(const QFileInfo& info)
{
    return !(info.permissions() & QFile::WriteOwner);
}

QString AttributeList(const QFileInfo& info)
{
    QString list;
    if (info.isHidden())
        list += QStringLiteral("Plik ukryty. ");
    if (ReadOnly(info))
        list += QStringLiteral("Plik tylko do odczytu. ");
    if (info.isDir())
        list += QStringLiteral("Plik folderu. ");
    return list;
}

}  // namespace

QString DatabaseIdentifier(int index)
{
    return index >= 0 && index < kDatabaseCount ? QString::fromUtf16(kCatalogue[index].identifier) : QString();
}

QString DatabaseDefaultFileName(int index)
{
    return index >= 0 && index < kDatabaseCount ? QString::fromUtf16(kCatalogue[index].fileName) : QString();
}

bool IsReferenceDatabase(int index)
{
    switch (index) {
    case dbNone:
    case dbPostalCodes:
    case dbOldTaxOffices:
    case dbBanks:
    case dbTaxOffices:
    case dbTypicalContractors:
    case dbTowns:
    case dbBankBranches:
        return true;
    default:
        return false;
    }
}

QString DatabaseLocationsKey()
{
    return QStringLiteral("Software\\QEL\\ścieżki");
}

QString DefaultDatabaseFolder()
{
    const QString program = WithTrailingSlash(ProgramFolder());
    const QString desktop = DesktopFolder();
    if ((!desktop.isEmpty() && QDir(program) == QDir(desktop)) || OnReadOnlyMount(program)) {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return WithTrailingSlash(documents.isEmpty() ? QelHome() : documents);
    }
    return program;
}

QString ResolveDatabaseLocation(int index, const QString& currentPath, bool ask)
{
    const QString id = DatabaseIdentifier(index);
    const QString defaultName = DatabaseDefaultFileName(index);
    const QString userValue = RegReadValue(kHiveCurrentUser, DatabaseLocationsKey(), id, currentPath);
    const QString value = MapWindowsPath(RegReadValue(kHiveLocalMachine, DatabaseLocationsKey(), id, userValue));

    const QFileInfo info(value);
    const QString fileName = value.isEmpty() || info.fileName().isEmpty() ? defaultName : info.fileName();
    const QString folder = value.contains(u'/') && FolderExists(info.path()) ? WithTrailingSlash(info.path())
                                                                              : DefaultDatabaseFolder();
    QString path = folder + fileName;

    if (!QFileInfo(path).isFile() && ask)
        path = SearchForFile(defaultName);
    if (!QFileInfo(path).isFile())
        path = DefaultDatabaseFolder() + defaultName;
    if (!QFileInfo::exists(path) && !FolderExists(QFileInfo(path).path()))
        return path;

    bool written = RegWriteString(kHiveLocalMachine, DatabaseLocationsKey(), id, path);
    written = RegWriteString(kHiveCurrentUser, DatabaseLocationsKey(), id, path) && written;
    if (!written)
        ShowRegistryFailure(LastRegistryError());
    if (index >= 0 && index < kDatabaseCount)
        PathCache()[index] = path;
    return path;
}

QString CachedDatabasePath(int index)
{
    return index >= 0 && index < kDatabaseCount ? PathCache()[index] : QString();
}

void ConstructDatabase(tQelList& list, int index, QString& path)
{
    if (list.constructed)
        return;
    CursorScope cursor(crRead);
    list.databaseIndex = static_cast<quint8>(index);
    path = ResolveDatabaseLocation(index, path, true);
    const bool reference = IsReferenceDatabase(index);
    if (QFileInfo::exists(path)) {
        if (reference) {
            list.fileName = path;
            list.notLoaded = true;
        } else {
            list.LoadFromFile(path, false);
        }
    } else if (!reference) {
        // Later saves of this database go to the resolved place even when the
        // user does not want the empty file made now.
        list.fileName = path;
        const QString key = QStringLiteral("plikInit") + QString::number(static_cast<int>(ToDateTime(Today())));
        if (!BatchMode() &&
            ShowSuppressibleMessage(path + QStringLiteral(": Nie powiodła się inicjalizacja "
                                                          "bazy danych. Zapewne pliku nie ma jeszcze na dysku.\r\n"
                                                          "Plik danych zostanie teraz utworzony. "
                                                          "Następnym razem zostanie odczytany automatycznie."),
                                    key, true))
            list.SaveToFile(path, true);
    }
    QList<tQelList*>& registry = reference ? MutableReferenceDatabases() : MutableUserDatabases();
    if (!registry.contains(&list))
        registry.append(&list);
    list.constructed = true;
}

const QList<tQelList*>& UserDatabases()
{
    return MutableUserDatabases();
}

const QList<tQelList*>& ReferenceDatabases()
{
    return MutableReferenceDatabases();
}

tQelList* FindOpenDatabase(int index)
{
    for (const auto* registry : {&MutableUserDatabases(), &MutableReferenceDatabases()})
        for (tQelList* list : *registry)
            if (list->databaseIndex == index)
                return list;
    return nullptr;
}

void ForgetDatabase(const tQelList* list)
{
    MutableUserDatabases().removeAll(const_cast<tQelList*>(list));
    MutableReferenceDatabases().removeAll(const_cast<tQelList*>(list));
}

bool SaveAllUserDatabases()
{
    ShowProgressNote(QStringLiteral("Zapisuję bazę danych"));
    bool ok = true;
    const QList<tQelList*> lists = MutableUserDatabases();
    for (int k = 0; k < lists.size(); ++k) {
        try {
            ok = lists[k]->Save() && ok;
        } catch (const std::exception&) {
            ok = false;
        }
        ProgressNoteStep(DatabaseDefaultFileName(lists[k]->databaseIndex), k, static_cast<int>(lists.size()) - 1);
    }
    RestoreNormalCursor();
    EndProgressNote();
    return ok;
}

QString FileIdentifier(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    int found = 0;
    for (int k = 0; k < kDatabaseCount; ++k)
        if (!PathCache()[k].isEmpty() && QFileInfo(PathCache()[k]).fileName().compare(name, Qt::CaseInsensitive) == 0)
            found = k;
    return found == 0 ? kUnknownFile : DatabaseIdentifier(found);
}

QString FileDescription(const QString& path)
{
    const QFileInfo info(path);
    return QStringLiteral("plik %1\r\nzajmuje %2\r\nostatnio zapisany: %3")
        .arg(path, SizeFormat(info.size()),
             PolishFormatDateTime(QStringLiteral("dddd, d mmmmm yyyy h:mm:ss"), ToDateTime(info.lastModified())));
}

QString SizeFormat(qint64 bytes)
{
    const long double b = static_cast<long double>(bytes);
    if (bytes <= 1024)
        return SafeFormat(QStringLiteral("%d B"), bytes);
    if (bytes <= 1048576)
        return SafeFormat(QStringLiteral("%.2f kB"), b / 1024);
    if (bytes <= 1073741824)
        return SafeFormat(QStringLiteral("%.2f MB"), b / 1048576);
    return SafeFormat(QStringLiteral("%.2f GB"), b / 1073741824);
}

bool RepairFileAttributes(const QString& path)
{
    const QFileInfo info(path);
    // Of the attributes that stop a write, only the missing write permission
    // exists here; a hidden file is named in the list but writes as any other.
    if (!info.exists() || !ReadOnly(info))
        return true;
    const bool clear = ShowMessage(
        QStringLiteral("Atrybuty pliku uniemożliwiają zapis do niego. Taka sytuacja powstaje na przykład wtedy, "
                       "gdy kopiowałeś pliki z płyty CD-ROM.\r\n"
                       "Czy usunąć atrybuty uniemożliwiające zapis i kasowanie?\r\n") +
        AttributeList(info) + u' ' + path);
    if (!clear)
        return false;
    if (QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner) && !ReadOnly(QFileInfo(path))) {
        ShowSuppressibleMessage(QStringLiteral("Atrybuty pliku zostały pomyślnie zmienione."),
                                QStringLiteral("wyzerowanEAtrybutyPLiku"), true);
        return true;
    }
    ShowMessage(QStringLiteral("Niestety, nie udało się zmienić atrybutów pliku. Zapis nie będzie możliwy.\r\n") + path);
    return false;
}

QString LastDatabaseError()
{
    return LastError();
}

}  // namespace qel

using namespace qel;

bool tQelList::LoadFromFile(const QString& path, bool onlyIfEmpty)
{
    if (onlyIfEmpty && LoadedCount() > 0)
        return true;
    LastError().clear();
    if (!QFileInfo::exists(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LastError() = file.errorString();
        return false;
    }
    tQelStream stream(file.readAll());
    file.close();
    stream.wideCounts = wideCounts;
    try {
        LoadFromStream(stream);
    } catch (const EqelException& e) {
        LastError() = e.message();
        ShowMessage(QStringLiteral("Plik istnieje, ale nie mogę go otworzyć! Tworzę awaryjną kopię zapasową.\r\n") +
                    e.message());
        CopyUnreadableFile(path);
        return false;
    }
    Remember(*this, path);
    return true;
}

bool tQelList::SaveToFile(const QString& pathGiven, bool makeBackup)
{
    QString path = pathGiven;
    const auto folderMissing = [&] {
        return !QFileInfo::exists(path) && !FolderExists(QFileInfo(path).absolutePath());
    };
    const QString noPath = path + QStringLiteral(": taka ścieżka nie istnieje. Zapisanie pliku nie będzie możliwe. ");
    if (folderMissing() &&
        ShowMessage(noPath + QStringLiteral("\r\nCzy mam spróbować utworzyć taką ścieżkę?")) &&
        QDir().mkpath(QFileInfo(path).absolutePath()))
        ShowMessage(QStringLiteral("Ścieżka została utworzona pomyślnie."));
    if (folderMissing() &&
        ShowMessage(noPath + QStringLiteral("\r\nCzy mam spróbować zapisać plik w bieżącym katalogu programu?")))
        path = WithTrailingSlash(ProgramFolder()) + QFileInfo(path).fileName();

    const QFileInfo before(path);
    // The stamps remembered belong to this list's own file; another path has none.
    if (before.exists() && path == fileName && fileTime != 0 && fileSize != 0 &&
        (ToDateTime(before.lastModified()) != fileTime || before.size() != fileSize)) {
        const bool overwrite = ShowGuardedQuestion(
            QStringLiteral("Wykryłem próbę zapisu danych do pliku, do którego w międzyczasie zapisywała inna "
                           "aplikacja. Czy zapisać plik mimo wszystko?\r\n"
                           "Jeśli odtwarzałeś właśnie dane z kopii zapasowej, wybierz NIE.\r\n"
                           "Jeśli odpowiesz OK, dane zapisane przez tę inną aplikację zostaną bezpowrotnie utracone. "
                           "Jeśli naciśniesz Anuluj, utracisz dane zapisywane przez TEN program. Zapiszę tylko "
                           "awaryjną kopię zapasową pod unikalną nazwą.\r\n\r\nplik: ") +
                path,
            QStringLiteral("próbazapisu"), true);
        if (!overwrite) {
            EmergencyCopy(path);
            return false;
        }
    }

    if (makeBackup && before.exists()) {
        CursorScope cursor(crBackup);
        MakeSmallCopy(path, false, true);
    }

    bool saved = false;
    try {
        CursorScope cursor(crSave);
        tQelStream stream;
        stream.wideCounts = wideCounts;
        SaveToStream(stream);
        const QFileInfo current(path);
        if (current.exists() && stream.Size() < current.size() / 2) {
            const QString text =
                QStringLiteral("Plik, który chcesz zapisać, zawiera dużo mniej danych, niż już istniejący plik o tej "
                               "samej nazwie. Czy mimo wszystko zapisać ten plik?\r\n") +
                QStringLiteral("%1: plik ma %2, zapisywane dane %3 bajtów.").arg(path).arg(current.size()).arg(stream.Size());
            AppendLogLine(WithTrailingSlash(ProgramFolder()) + QStringLiteral("exce.txt"), text);
            if (!ShowGuardedQuestion(text))
                throw EqelException(QStringLiteral("Nie zapisuję nowego pliku!"));
        }
        if (!RepairFileAttributes(path))
            throw EqelException(QStringLiteral("Atrybuty pliku uniemożliwiają zapis: ") + path);
        QString error;
        if (!WriteFileAtomically(path, stream.Data(), &error))
            throw EqelException(error);
        Remember(*this, path);
        saved = true;
    } catch (const std::exception& e) {
        LastError() = ErrorMessageOf(e);
    }
    if (!saved)
        ShowMessage(QStringLiteral("Niestety, zapisanie danych nie było możliwe. Być może podałeś nieprawidłową "
                                   "ścieżkę.\r\n") +
                    SupportLine() + QStringLiteral("\r\n") + LastError());
    return saved;
}

bool tQelList::EmergencyCopy(const QString& path)
{
    const QString name = path + QStringLiteral(".akz.") + Now().toString(QStringLiteral("yyyyMMdd.hhmmss"));
    try {
        if (QFileInfo::exists(name))
            throw EqelException(QStringLiteral("File already exists"));
        tQelStream stream;
        stream.wideCounts = wideCounts;
        SaveToStream(stream);
        QString error;
        if (!WriteFileAtomically(name, stream.Data(), &error))
            throw EqelException(error);
    } catch (const std::exception& e) {
        ShowMessage(QStringLiteral("Nie udało się zapisać awaryjnej kopii zapasowej."),
                    ErrorMessageOf(e) + QStringLiteral("\r\nnazwa pliku: ") + name);
        return false;
    }
    ShowMessage(QStringLiteral("Zapisałem awaryjną kopię zapasową."),
                QStringLiteral("nazwa pliku: ") + name +
                    QStringLiteral("\r\nJeśli będziesz potrzebować tych danych, skontaktuj się z pomocą techniczną "
                                   "firmy QEL."));
    return true;
}

bool tQelList::ExportToTextFile(const QString& path, QChar separator)
{
    if (QFileInfo::exists(path) &&
        !ShowGuardedQuestion(QStringLiteral("Plik już istnieje. Czy chcesz utracić jego dotychczasową zawartość?\r\n") +
                             path))
        return false;
    QString text;
    const int n = Count();
    for (int k = 0; k < n; ++k) {
        const auto* record = dynamic_cast<const tQelObject*>(ItemAt(k));
        if (k == 0 && record) {
            QString title = record->ExportTitleString(separator);
            record->NormalizeExportString(title, separator);
            text += title + QStringLiteral("\r\n");
        }
        if (record) {
            QString line = record->ExportString(separator);
            record->NormalizeExportString(line, separator);
            text += line + QStringLiteral("\r\n");
        }
    }
    QString error;
    if (!WriteFileAtomically(path, EncodeCp1250(text), &error)) {
        ShowMessage(error + QStringLiteral("\r\n") + path);
        return false;
    }
    ShowMessage(QStringLiteral("Wyeksportowałem bazę danych do pliku:\r\n") + path +
                QStringLiteral("\r\nrozmiar pliku wynikowego: ") + SizeFormat(QFileInfo(path).size()) +
                QStringLiteral("\r\n") + Statistics());
    return true;
}

QString tQelList::Statistics()
{
    return QStringLiteral("baza zawiera %1 pozycji\r\n").arg(Count()) + FileDescription(fileName);
}

QString tQelGenericLIst::Statistics()
{
    return QStringLiteral("baza zawiera %1 pozycji\r\nzajmuje %2, ostatnio zapisana: %3\r\nw pliku %4")
        .arg(Count())
        .arg(SizeFormat(fileSize), PolishFormatDateTime(QStringLiteral("dddd, d mmmm yyyy h:mm:ss"), fileTime),
             fileName);
}
