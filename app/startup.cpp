#include "app/startup.h"

#include "app/application.h"
#include "app/family_check.h"
#include "app/launcher_actions.h"
#include "app/low_colour.h"
#include "calc/interest_rates.h"
#include "contacts/contact_databases.h"
#include "contacts/contact_item.h"
#include "core/app_state.h"
#include "core/cursors.h"
#include "core/messages.h"
#include "core/qel_object.h"
#include "core/progress_note.h"
#include "core/settings.h"
#include "core/warning_dialog.h"
#include "platform/app_identity.h"
#include "platform/clock.h"
#include "platform/instance_mark.h"
#include "platform/paths.h"
#include "platform/shortcuts.h"
#include "print/splash.h"
#include "text/regional.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

// Whether this process holds the instance mark (it does not when it stopped at
// the single-instance question: the mark is the other copy's).
bool ownsInstanceMark = false;
// The interest tables go back to their file only when they were read from it.
bool rateTablesLoaded = false;

QString ExecutablePath()
{
    return QCoreApplication::applicationFilePath();
}

const QString kPathsKey = QStringLiteral("Software\\QEL\\ścieżki");
const QString kShortcutKey = QStringLiteral("Software\\Qel\\Lnk");

// Step 4: false when the user chose not to run a second copy.
bool SingleInstanceCheck(const TNazwaAplikacji& identity)
{
    const QString exe = ExecutablePath();
    if (qel::InstanceMarkExists(exe)) {
        const QString head =
            QStringLiteral("<img src=\"lsys:%1\"><b>%2</b>:<br>").arg(exe, identity.productName) +
            QStringLiteral("Przynajmniej jedna kopia tego programu jest lub była przed chwilą "
                           "uruchomiona. Czy jesteś pewien, że chcesz uruchomić "
                           "KOLEJNĄ kopię tego samego programu?");
        const QString detail = QStringLiteral("Zignoruj to ostrzeżenie, jeśli poprzednia "
                                              "kopia programu niespodziewanie zakończyła pracę.");
        if (!ShowMessage(head, detail))
            return false;
    }
    ownsInstanceMark = qel::CreateInstanceMark(exe).created;
    return true;
}

// Step 9: offers a shortcut in one folder.
void OfferShortcut(const QString& folder, const QString& product)
{
    const QString exe = ExecutablePath();
    const QString path = QDir(folder).filePath(qel::ShortcutFileName(product));
    const QString target = qel::ShortcutTarget(path);
    bool write = false;
    if (QFileInfo::exists(path)) {
        if (!target.isEmpty() && QFileInfo(target).canonicalFilePath() != QFileInfo(exe).canonicalFilePath())
            write = ShowMessage(QStringLiteral("Znalazłem skrót do programu, ale wskazuje na inny plik, niż "
                                               "powinien. Poprawić?"),
                                QStringLiteral("program: ") + exe + QStringLiteral("\r\nlokalizacja skrótu: ") +
                                    path + QStringLiteral("\r\nplik: ") + target);
    } else {
        write = ShowMessage(QStringLiteral("Czy stworzyć automatycznie skrót do programu?"),
                            QStringLiteral("lokalizacja: skrótu: ") + path + QStringLiteral("\r\nprogram: ") + exe);
    }
    if (write) {
        QString error;
        if (!qel::WriteShortcut(path, product, exe, &error))
            ShowMessage(QStringLiteral("!Nie udało się zapisać skrótu do programu."), error);
    }
    if (!qel::RegWriteString(qel::kHiveCurrentUser, kShortcutKey, product, path))
        qel::ShowRegistryFailure(qel::LastRegistryError());
}

void OfferShortcuts(const QString& product)
{
    if (!ExecutablePath().contains(QStringLiteral("usuwator"), Qt::CaseInsensitive))
        OfferShortcut(qel::DesktopFolder(), product);
    OfferShortcut(qel::StartMenuFolder(), product);
}

bool ExcludedFromFamilyCheck()
{
    const QString name = QFileInfo(ExecutablePath()).fileName();
    return IsInstallerFile(name) || name.startsWith(QStringLiteral("taryfikator"), Qt::CaseInsensitive);
}

struct BatchSwitch {
    const char* name;
    std::optional<LauncherFunction> function;  // none: stop right after start-up
};

// Step 11, in this order; the first one present decides.
const BatchSwitch kBatchSwitches[] = {
    {"/instaluj", LauncherFunction::Installer},
    {"/pierwszykrok", std::nullopt},
    {"/about", LauncherFunction::About},
    {"/ustawienia", LauncherFunction::PrintOptions},
    {"/kopiezapasowe", LauncherFunction::BackupOptions},
    {"/usuwator", LauncherFunction::Uninstaller},
};

StartupResult Stop(int code = 0)
{
    StartupResult r;
    r.exitCode = code;
    return r;
}

}  // namespace

bool HasSwitch(const QStringList& arguments, const QString& name)
{
    return arguments.join(u' ').contains(name, Qt::CaseInsensitive);
}

void PrepareServices()
{
    qel::RegisterCursors();
    qel::SetCurrencySymbol(QStringLiteral("zł"));
    qel::SetDateSeparator(u'-');
    InstallMessageDialog();
    InstallProgressWindow();
}

StartupResult RunStartup(const QStringList& arguments)
{
    // 1-2. Persistent classes, shared lists, cursors.
    qel::RegisterPersistentClasses();
    RegisterContactClasses();
    PrepareServices();

    // 3. Low-colour mode follows every newly active window.
    if (auto* app = qobject_cast<TqelApplication*>(QCoreApplication::instance()))
        app->setLowColourMode(LowColourDisplay() || HasSwitch(arguments, QStringLiteral("/kolorystandardowe")));

    const TNazwaAplikacji identity = qel::OwnApplicationIdentity();

    // 4. Single instance.
    if (!SingleInstanceCheck(identity))
        return Stop();

    // 5-6. Help file, hourglass, money and date conventions.
    QCoreApplication::instance()->setProperty("helpFile", qel::HelpFile());
    qel::ShowHourglass();

    // 7. Where the program lives.
    if (!qel::RegWriteString(qel::kHiveLocalMachine, kPathsKey, identity.productName, ExecutablePath()))
        qel::ShowRegistryFailure(qel::LastRegistryError());

    // 9. Shortcuts after installation.
    if (HasSwitch(arguments, QStringLiteral("/pierwszyraz")))
        OfferShortcuts(identity.productName);

    // 10. Other programs of the family on the same data.
    if (!ExcludedFromFamilyCheck() && FamilyCheck(true, true).stopProgram) {
        qel::RestoreNormalCursor();
        EndOfRun();
        return Stop();
    }

    // 11. Switches that run one function without the launcher.
    for (const BatchSwitch& s : kBatchSwitches) {
        if (!HasSwitch(arguments, QString::fromLatin1(s.name)))
            continue;
        qel::SetBatchMode(true);
        qel::RestoreNormalCursor();
        if (s.function)
            OpenFunction(*s.function, nullptr);
        EndOfRun();
        return Stop();
    }

    // 12. The shared data.
    OpenContactDatabases();
    LoadRateTables();
    rateTablesLoaded = true;
    qel::EndProgressNote();

    // 13. The launcher.
    qel::RestoreNormalCursor();
    StartupResult r;
    r.showLauncher = true;
    r.launcher = std::make_unique<TeMain>();
    return r;
}

bool PutAsideCopyLog(const QString& folder)
{
    const QString name = QStringLiteral("!!kopia.qel");
    const QString from = QDir(folder).filePath(name);
    if (!QFileInfo::exists(from))
        return false;
    const QString stamp = qel::Now().toString(QStringLiteral("_yyMMdd_HHmm_"));
    return QFile::rename(from, QDir(folder).filePath(name + stamp + QStringLiteral(".log")));
}

void EndOfRun()
{
    if (rateTablesLoaded) {
        SaveRateTables();
        rateTablesLoaded = false;
    }
    if (ownsInstanceMark) {
        qel::DeleteInstanceMark(ExecutablePath());
        ownsInstanceMark = false;
    }
    PutAsideCopyLog(qel::ProgramFolder());
}
