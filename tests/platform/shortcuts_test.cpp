#include "platform/shortcuts.h"
#include "scratch_home.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// Shortcut folders inside the scratch home, so no test touches the real desktop.
class ScratchDesktop {
public:
    explicit ScratchDesktop(const ScratchHome& home)
        : oldDesktop_(qgetenv("XDG_DESKTOP_DIR")), oldData_(qgetenv("XDG_DATA_HOME"))
    {
        qputenv("XDG_DESKTOP_DIR", home.file(QStringLiteral("Pulpit")).toUtf8());
        qputenv("XDG_DATA_HOME", home.file(QStringLiteral("data")).toUtf8());
    }
    ~ScratchDesktop()
    {
        qputenv("XDG_DESKTOP_DIR", oldDesktop_);
        qputenv("XDG_DATA_HOME", oldData_);
    }

private:
    QByteArray oldDesktop_;
    QByteArray oldData_;
};

}  // namespace

TEST(Shortcuts, FoldersFollowTheEnvironment)
{
    ScratchHome home;
    ScratchDesktop desktop(home);
    EXPECT_EQ(qel::DesktopFolder(), home.file(QStringLiteral("Pulpit")));
    EXPECT_EQ(qel::StartMenuFolder(), home.file(QStringLiteral("data/applications")));
    EXPECT_EQ(qel::ShortcutFileName(QStringLiteral("Mirtal")), QStringLiteral("Mirtal.desktop"));
}

TEST(Shortcuts, TargetsRoundTrip)
{
    ScratchHome home;
    ScratchDesktop desktop(home);
    const QString targets[] = {
        QStringLiteral("/opt/qel/Mirtal/mirtal"),
        QStringLiteral("/home/jan/Mój program/mirtal 2"),
        QStringLiteral(R"(/tmp/dziwne "znaki" $HOME `x` \ 100%)"),
    };
    for (const QString& target : targets) {
        const QString path = qel::DesktopFolder() + u'/' + qel::ShortcutFileName(QStringLiteral("Mirtal"));
        ASSERT_TRUE(qel::WriteShortcut(path, QStringLiteral("Mirtal\nkalkulatory"), target));
        EXPECT_EQ(qel::ShortcutTarget(path), target);
        EXPECT_TRUE(QFileInfo(path).isExecutable());
        const QByteArray text = ReadFileBytes(path);
        EXPECT_TRUE(text.contains("Name=Mirtal\n"));
        EXPECT_TRUE(text.contains("Comment=Mirtal\\nkalkulatory\n"));
    }
}

TEST(Shortcuts, ForeignAndBrokenFiles)
{
    ScratchHome home;
    const struct {
        const char* text;
        const char* target;
    } cases[] = {
        {"[Desktop Entry]\nType=Application\nExec=/usr/bin/inny --opcja %U\n", "/usr/bin/inny"},
        {"[Desktop Entry]\nExec=\"/a b/c\"\nType=Application\n", "/a b/c"},
        {"[Desktop Entry]\nType=Link\nURL=http://qel.pl\n", ""},
        {"[Desktop Action x]\nExec=/zly\n[Desktop Entry]\nType=Application\n", ""},
        {"\xff\xfe garbage", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        const QString path = home.file(QStringLiteral("skrot.desktop"));
        ASSERT_TRUE(WriteFileBytes(path, c.text));
        EXPECT_EQ(qel::ShortcutTarget(path), QString::fromUtf8(c.target)) << c.text;
    }
    EXPECT_EQ(qel::ShortcutTarget(home.file(QStringLiteral("brak.desktop"))), QString());
    EXPECT_EQ(qel::ShortcutTarget(home.path()), QString());
}
