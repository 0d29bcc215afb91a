#include "app/application.h"
#include "app/startup.h"

int main(int argc, char** argv)
{
    TqelApplication app(argc, argv);
    StartupResult start = RunStartup(QCoreApplication::arguments().mid(1));
    if (!start.showLauncher)
        return start.exitCode;
    start.launcher->show();
    const int code = QApplication::exec();
    start.launcher.reset();
    EndOfRun();
    return code;
}
