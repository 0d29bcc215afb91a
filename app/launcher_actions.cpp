#include "app/launcher_actions.h"

#include "app/window_catalog.h"
#include "core/interaction.h"
#include "core/messages.h"

#include <QDialog>
#include <QWidget>

#include <memory>

namespace {

struct FunctionWindow {
    LauncherFunction function;
    const char* window;
};

// The window class of each function, as the catalogue names it.
constexpr FunctionWindow kWindows[] = {
    {LauncherFunction::InterestCalculator, "TeKalkulatorOdsetkowy"},
    {LauncherFunction::Loan, "TeKredyt"},
    {LauncherFunction::IncomeTax, "TeKalkulatorPodatkowy"},
    {LauncherFunction::DemandLetter, "TeWezwanieDoZaplaty"},
    {LauncherFunction::BalanceConfirmation, "TePotwierdzenieSalda"},
    {LauncherFunction::Rates, "TeWaluty"},
    {LauncherFunction::RateDownload, "TeAkt"},
    {LauncherFunction::DatabasesTool, "TeModulBazyDanych"},
    {LauncherFunction::Users, "TeDaneUzytkownicy"},
    {LauncherFunction::Contractors, "TeDaneKontrahenci"},
    {LauncherFunction::Journal, "TeDziennik"},
    {LauncherFunction::BackupOptions, "TeOpcjeKopiiZapasowych"},
    {LauncherFunction::PrintOptions, "TeOpcjeDrukowania"},
    {LauncherFunction::AutoUpdate, "TeAktualizacja"},
    {LauncherFunction::TechnicalContact, "TeKontaktTechniczny"},
    {LauncherFunction::About, "TeOProgramie"},
    {LauncherFunction::OrderForm, "TeZamowienie"},
    {LauncherFunction::Installer, "TeInstalator"},
    {LauncherFunction::Uninstaller, "TeUsuwator"},
};

// The day the functions still missing are planned for.
constexpr int kPlannedYear = 2027;
constexpr int kPlannedMonth = 6;
constexpr int kPlannedDay = 30;

}  // namespace

const char* FunctionWindowName(LauncherFunction function)
{
    for (const FunctionWindow& w : kWindows) {
        if (w.function == function)
            return w.window;
    }
    return "";
}

void OpenFunction(LauncherFunction function, QWidget* parent)
{
    std::unique_ptr<QWidget> window(CreateWindowByName(QString::fromLatin1(FunctionWindowName(function))));
    if (!window) {
        ModuleNotYetActive(false, kPlannedYear, kPlannedMonth, kPlannedDay);
        return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(window.get())) {
        if (parent)
            dialog->setParent(parent, dialog->windowFlags() | Qt::Dialog);
        qel::ExecModal(*dialog);
        return;
    }
    window->setAttribute(Qt::WA_DeleteOnClose);
    window.release()->show();
}
