#include "calc/income_tax.h"

#include <gtest/gtest.h>

namespace {

Money Zl(const char* text)
{
    return *ParseMoney(QString::fromUtf8(text));
}

struct ScaleCase {
    const char* income;
    const char* tax;
};

class IncomeTax2002Test : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(IncomeTax2002Test, FollowsTheScale)
{
    EXPECT_EQ(FormatMoney(IncomeTax2002(Zl(GetParam().income))).toStdString(), GetParam().tax)
        << GetParam().income;
}

INSTANTIATE_TEST_SUITE_P(Steps, IncomeTax2002Test, ::testing::Values(
    ScaleCase{"-100", "0,00 zł"},
    ScaleCase{"2727", "0,00 zł"},
    ScaleCase{"2727,49", "0,00 zł"},        // whole złoty first
    ScaleCase{"2728", "0,00 zł"},           // 0,16 rounds to no tens
    ScaleCase{"17965,68", "2 900,00 zł"},   // 2 895,38 on 17 966 zł
    ScaleCase{"37024", "6 520,00 zł"},      // still 19 %
    ScaleCase{"37025", "6 520,00 zł"},      // 30 % of 1 zł over
    ScaleCase{"74047", "17 620,00 zł"},
    ScaleCase{"74048", "17 620,00 zł"},     // 40 % step: 17 623,60
    ScaleCase{"100000", "28 000,00 zł"},
    ScaleCase{"100000000000", "39 999 988 000,00 zł"}));  // beyond 32 bits: no failure

struct FormCase {
    const char* name;
    TaxMethod method;
    int kind;
    const char* salary;
    const char* gross;
    const char* costs;
    TaxInputChange change;
    const char* retirement;
    const char* disability;
    const char* sickness;
    const char* health;
    const char* taxable;
    const char* tax;
    const char* net;
    const char* zus;
};

class RecomputeIncomeTaxTest : public ::testing::TestWithParam<FormCase> {};

TEST_P(RecomputeIncomeTaxTest, Computes)
{
    const FormCase& c = GetParam();
    IncomeTaxForm form;
    form.method = c.method;
    form.flatRateKind = c.kind;
    form.monthlySalary = Zl(c.salary);
    form.annualGross = Zl(c.gross);
    form.costs = Zl(c.costs);
    ApplyTaxMethod(form);
    const IncomeTaxResult r = RecomputeIncomeTax(form, c.change, false);
    const auto text = [](const char* s) { return std::string(s); };
    EXPECT_EQ(FormatMoney(form.retirement).toStdString(), text(c.retirement));
    EXPECT_EQ(FormatMoney(form.disability).toStdString(), text(c.disability));
    EXPECT_EQ(FormatMoney(form.sickness).toStdString(), text(c.sickness));
    EXPECT_EQ(FormatMoney(form.health).toStdString(), text(c.health));
    EXPECT_EQ(FormatMoney(r.taxable).toStdString(), text(c.taxable));
    EXPECT_EQ(FormatMoney(r.tax).toStdString(), text(c.tax));
    EXPECT_EQ(FormatMoney(r.net).toStdString(), text(c.net));
    EXPECT_EQ(FormatMoney(r.zusTotal).toStdString(), text(c.zus));
}

INSTANTIATE_TEST_SUITE_P(Methods, RecomputeIncomeTaxTest, ::testing::Values(
    FormCase{"SalaryOf2000", TaxMethod::EmployedLocal, 0, "2000", "0", "0", TaxInputChange::None,
             "2 342,40 zł", "1 560,00 zł", "976,80 zł", "1 860,00 zł",
             "17 965,68 zł", "1 040,00 zł", "16 925,68 zł", "6 739,20 zł"},
    // Above 64 620 zł only retirement and disability keep to the ceiling.
    FormCase{"AboveTheCeiling", TaxMethod::EmployedLocal, 0, "0", "120000", "0", TaxInputChange::Other,
             "6 306,91 zł", "4 200,30 zł", "4 884,00 zł", "9 300,00 zł",
             "103 453,67 zł", "20 090,00 zł", "83 363,67 zł", "24 691,21 zł"},
    FormCase{"FlatRateServices", TaxMethod::BusinessFlatRate, 2, "0", "100000", "5000", TaxInputChange::Other,
             "2 959,42 zł", "1 970,88 zł", "617,06 zł", "1 174,94 zł",
             "94 452,64 zł", "8 028,47 zł", "86 424,17 zł", "6 722,30 zł"},
    FormCase{"BusinessGeneralKeepsCosts", TaxMethod::BusinessGeneral, 0, "0", "50000", "10000",
             TaxInputChange::Other, "2 959,42 zł", "1 970,88 zł", "617,06 zł", "1 174,94 zł",
             "34 452,64 zł", "4 855,06 zł", "29 597,58 zł", "6 722,30 zł"},
    // The health deduction above the tax leaves no tax, not a negative one.
    FormCase{"LowSalary", TaxMethod::EmployedLocal, 0, "500", "0", "0", TaxInputChange::None,
             "585,60 zł", "390,00 zł", "244,20 zł", "465,00 zł",
             "3 625,08 zł", "0,00 zł", "3 625,08 zł", "1 684,80 zł"},
    // Another input changed and the salary has no focus: the gross stays.
    FormCase{"GrossTypedOverSalary", TaxMethod::FromEntries, 0, "1000", "50000", "0", TaxInputChange::Other,
             "0,00 zł", "0,00 zł", "0,00 zł", "0,00 zł",
             "50 000,00 zł", "10 410,00 zł", "39 590,00 zł", "0,00 zł"}),
    [](const ::testing::TestParamInfo<FormCase>& info) { return std::string(info.param.name); });

TEST(RecomputeIncomeTax, HandTypedRetirementStaysUntilAnotherInputChanges)
{
    IncomeTaxForm form;
    form.method = TaxMethod::EmployedLocal;
    form.monthlySalary = Zl("2000");
    ApplyTaxMethod(form);
    RecomputeIncomeTax(form, TaxInputChange::None, false);

    form.retirement = Zl("100");
    form.disability = Zl("1");
    RecomputeIncomeTax(form, TaxInputChange::Retirement, false);
    EXPECT_EQ(form.retirement, Zl("100"));
    EXPECT_EQ(form.disability, Zl("1"));  // typed into the same change: kept as well

    RecomputeIncomeTax(form, TaxInputChange::Other, false);
    EXPECT_EQ(form.retirement, Zl("2342,40"));
    EXPECT_EQ(form.disability, Zl("1560"));
}

TEST(RecomputeIncomeTax, SalaryWithFocusLeadsAndGrossKeepsToTheFieldMaximum)
{
    IncomeTaxForm form;
    form.method = TaxMethod::FromEntries;
    form.monthlySalary = Zl("1000");
    form.annualGross = Zl("50000");
    RecomputeIncomeTax(form, TaxInputChange::Other, true);
    EXPECT_EQ(form.annualGross, Zl("12000"));

    form.monthlySalary = Zl("2147483647");
    RecomputeIncomeTax(form, TaxInputChange::MonthlySalary, false);
    EXPECT_EQ(form.annualGross, Zl("2147483647"));
}

}  // namespace
