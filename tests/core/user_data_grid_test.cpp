#include "core/interaction.h"
#include "core/settings.h"
#include "core/user_data_grid.h"
#include "scratch_home.h"

#include <QApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

QStringList Complete()
{
    QStringList v(qel::kSenderFieldCount, QString());
    v[0] = QStringLiteral("Jan");
    v[1] = QStringLiteral("Kowal");
    v[3] = QStringLiteral("ul. Długa 1");
    v[5] = QStringLiteral("Łódź");
    return v;
}

void Press(QWidget& widget, Qt::Key key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

}  // namespace

TEST(UserDataGrid, LoadsEditsAndKeepsTheData)
{
    ScratchHome home;
    QStringList stored(qel::kSenderFieldCount, QString());
    stored[2] = QStringLiteral("Firma „Żuraw”");
    ASSERT_TRUE(qel::SaveSenderData(stored));
    {
        TqelUserData grid;
        EXPECT_EQ(grid.rowCount(), qel::kSenderFieldCount);
        EXPECT_EQ(grid.columnCount(), 2);
        EXPECT_EQ(grid.item(0, 0)->text(), QStringLiteral("Imię"));
        EXPECT_EQ(grid.item(13, 0)->text(), QStringLiteral("Regon"));
        EXPECT_FALSE(grid.item(0, 0)->flags() & Qt::ItemIsEditable);
        EXPECT_EQ(grid.rowHeight(0), 17);
        EXPECT_EQ(grid.columnWidth(0), 80);
        EXPECT_EQ(grid.values(), stored);

        grid.setCurrentCell(1, 1);
        grid.simulateInput(QStringLiteral("Nowak"));  // editing ended: written at once
        EXPECT_EQ(qel::ReadSetting(QStringLiteral("Dane użytkownika"), QStringLiteral("Nazwisko")), QStringLiteral("Nowak"));

        grid.item(4, 1)->setText(QStringLiteral("90-001"));
    }
    // Written once more when the grid goes.
    EXPECT_EQ(qel::LoadSenderData()[4], QStringLiteral("90-001"));
}

TEST(UserDataGrid, EnterMovesDown)
{
    ScratchHome home;
    TqelUserData grid;
    grid.setCurrentCell(2, 1);
    Press(grid, Qt::Key_Return);
    EXPECT_EQ(grid.currentRow(), 3);
    grid.setCurrentCell(13, 1);
    Press(grid, Qt::Key_Enter);
    EXPECT_EQ(grid.currentRow(), 13);
}

TEST(UserDataGrid, Validation)
{
    ScratchHome home;
    EXPECT_TRUE(TqelUserData::IsComplete(Complete()));
    const struct {
        int field;
        const char* value;
    } tooShort[] = {{0, "J"}, {1, "Ko"}, {3, "ul. 1"}, {5, "Łód"}, {5, "  Łód  "}};
    for (const auto& c : tooShort) {
        QStringList v = Complete();
        v[c.field] = QString::fromUtf8(c.value);
        EXPECT_FALSE(TqelUserData::IsComplete(v)) << c.value;
    }

    TqelUserData grid;
    qel::ScriptedPrompts script;
    EXPECT_FALSE(grid.validate());
    ASSERT_EQ(script.asked().size(), 1);
    EXPECT_EQ(script.asked()[0].text, QStringLiteral("Musisz podać wszystkie dane poprawnie!"));
    EXPECT_EQ(script.asked()[0].detail, QStringLiteral("Wymagane są: imię, nazwisko, adres i miasto!"));
    grid.setValues(Complete());
    EXPECT_TRUE(grid.validate());
    EXPECT_EQ(script.asked().size(), 1);
}

TEST(UserDataGrid, FormatsEveryRow)
{
    ScratchHome home;
    TqelUserData grid;
    grid.setValues(Complete());
    QStringList lines{QStringLiteral("nagłówek")};
    grid.formatLines(QStringLiteral("%s:\t%s"), lines);
    ASSERT_EQ(lines.size(), 1 + qel::kSenderFieldCount);
    EXPECT_EQ(lines[1], QStringLiteral("Imię:\tJan"));
    EXPECT_EQ(lines[6], QStringLiteral("Miasto:\tŁódź"));
    EXPECT_EQ(lines[14], QStringLiteral("Regon:\t"));
}
