#include "widgets/form_storage.h"

#include "platform/registry.h"
#include "scratch_home.h"
#include "widgets/calc_edit.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>

#include <memory>

namespace {

const QString kKey = QStringLiteral("Software\\QEL\\Kalkulator");
const QString kSection = QStringLiteral("Próba");
const QStringList kProps = {QStringLiteral("ceKwota.Text"), QStringLiteral("ceKwota.Value"),
                            QStringLiteral("cbRodzaj.ItemIndex"), QStringLiteral("cbTak.Checked"),
                            QStringLiteral("brak.Text")};

// A window with one component of each stored kind, and its storage.
struct Window {
    Window()
    {
        amount = new qel::CalcEdit(&widget);
        amount->setObjectName(QStringLiteral("ceKwota"));
        amount->setDisplayFormat(QStringLiteral(",0.00 zł"));
        combo = new QComboBox(&widget);
        combo->setObjectName(QStringLiteral("cbRodzaj"));
        combo->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        check = new QCheckBox(&widget);
        check->setObjectName(QStringLiteral("cbTak"));
        storage = std::make_unique<qel::FormStorage>(&widget, kKey, kSection, kProps);
        storage->restore();
    }
    QWidget widget;
    qel::CalcEdit* amount;
    QComboBox* combo;
    QCheckBox* check;
    std::unique_ptr<qel::FormStorage> storage;
};

QString Stored(const QString& name)
{
    qel::RegistryKey reg(qel::RegHive::CurrentUser);
    if (!reg.open(kKey + u'\\' + kSection, false))
        return QStringLiteral("<no key>");
    return reg.value(name).text;
}

TEST(FormStorage, KeepsInputsUnderTheFamilysValueNamesAndBringsThemBack)
{
    ScratchHome home;
    {
        Window w;
        EXPECT_DOUBLE_EQ(w.amount->value(), 0);  // nothing kept yet
        w.amount->setValue(1234.5);
        w.combo->setCurrentIndex(2);
        w.check->setChecked(true);
    }  // closing the window saves
    EXPECT_EQ(Stored(QStringLiteral("ceKwota_Text")), QStringLiteral("1 234,50 zł"));
    EXPECT_EQ(Stored(QStringLiteral("ceKwota_Value")), QStringLiteral("1234.5"));
    EXPECT_EQ(Stored(QStringLiteral("cbRodzaj_ItemIndex")), QStringLiteral("2"));
    EXPECT_EQ(Stored(QStringLiteral("cbTak_Checked")), QStringLiteral("True"));

    Window again;
    EXPECT_DOUBLE_EQ(again.amount->value(), 1234.5);
    EXPECT_EQ(again.combo->currentIndex(), 2);
    EXPECT_TRUE(again.check->isChecked());
}

TEST(FormStorage, ADamagedValueKeepsTheDefault)
{
    ScratchHome home;
    qel::RegistryKey reg(qel::RegHive::CurrentUser);
    ASSERT_TRUE(reg.open(kKey + u'\\' + kSection, true));
    reg.writeString(QStringLiteral("ceKwota_Text"), QStringLiteral("sto złotych"));
    reg.writeString(QStringLiteral("ceKwota_Value"), QStringLiteral("x"));
    reg.writeString(QStringLiteral("cbRodzaj_ItemIndex"), QStringLiteral("1"));
    reg.close();

    Window w;
    EXPECT_DOUBLE_EQ(w.amount->value(), 0);
    EXPECT_EQ(w.combo->currentIndex(), 1);
}

}  // namespace
