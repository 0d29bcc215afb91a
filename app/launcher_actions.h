#pragma once

class QWidget;

// The functions the launcher, its menu and the command-line switches open.
enum class LauncherFunction {
    InterestCalculator,
    Loan,
    IncomeTax,
    DemandLetter,
    BalanceConfirmation,
    Rates,
    RateDownload,
    DatabasesTool,
    Users,
    Contractors,
    Journal,
    BackupOptions,
    PrintOptions,
    AutoUpdate,
    TechnicalContact,
    About,
    OrderForm,
    Installer,
    Uninstaller,
};

// Opens the function's window (modal where it is a dialog); a function whose
// window this version does not have yet shows the module-not-yet-active notice.
void OpenFunction(LauncherFunction function, QWidget* parent);

// The catalogue name of the window that serves a function; empty when none exists yet.
const char* FunctionWindowName(LauncherFunction function);
