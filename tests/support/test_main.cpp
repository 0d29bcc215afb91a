#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

// Every test program runs offscreen, in a scratch QEL_HOME, on a fixed day, so
// no test can touch a real user's data or depend on the calendar.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("QEL_HOME", home.path().toLocal8Bit());
    // Shortcuts and desktop files land in the scratch folder too.
    qputenv("XDG_DESKTOP_DIR", (home.path() + QStringLiteral("/Pulpit")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/xdg-data")).toLocal8Bit());
    qputenv("QEL_NOW", "2002-12-21T15:30:00");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirtal"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
