#include "calc/income_tax.h"

#include <cmath>
#include <stdexcept>

namespace {

// The fields allow incomes beyond RoundHalfUp's 32-bit range; those round the
// same way (half towards +infinity) in long double instead of failing.
long double WholeHalfUp(long double value)
{
    try {
        return RoundHalfUp(value);
    } catch (const std::overflow_error&) {
        return std::floor(value + 0.5L);
    }
}

Money Percent(long double percent, Money base)
{
    return RoundToGrosz(base * (percent / 100.0L));
}

constexpr Money kZusBaseCeiling = Money::FromGrosze(6462000);
constexpr Money kBusinessRetirement = Money::FromGrosze(295942);
constexpr Money kBusinessDisability = Money::FromGrosze(197088);
constexpr Money kBusinessSickness = Money::FromGrosze(61706);
constexpr Money kBusinessHealth = Money::FromGrosze(117494);

// Costs of earning a year, by method; negative: the method keeps what was entered.
constexpr std::int64_t kCostsGrosze[] = {-1, 115512, 144309, 173272, 216509, 0, -1};

bool IsEmployment(TaxMethod method)
{
    return method >= TaxMethod::EmployedLocal && method <= TaxMethod::EmployedSeveralElsewhere;
}

}  // namespace

Money IncomeTax2002(Money income)
{
    const long double d = WholeHalfUp(income.toReal());
    Money tax;
    if (d <= 2727) {
        return Money();
    } else if (d <= 37024) {
        tax = RoundToGrosz(Money::FromReal(d * 0.19L)) - Money::FromGrosze(51816);
    } else if (d < 74048) {
        tax = RoundToGrosz(Money::FromReal((d - 37024) * 0.30L)) + Money::FromGrosze(651640);
    } else {
        tax = RoundToGrosz(Money::FromReal((d - 74048) * 0.40L)) + Money::FromGrosze(1762360);
    }
    const Money rounded = Money::FromReal(WholeHalfUp(tax.toReal() / 10) * 10);
    return rounded < Money() ? Money() : rounded;
}

QStringList TaxMethodNames()
{
    return {
        QStringLiteral("wylicz na podstawie wpisów"),
        QStringLiteral("etat, zatrudnienie w tej samej miejscowości"),
        QStringLiteral("etat, zatrudnienie w innej miejscowości"),
        QStringLiteral("etat, więcej zakładów pracy"),
        QStringLiteral("etat, więcej zakładów pracy i inna miejscowość"),
        QStringLiteral("działalność gospodarcza, ryczałt"),
        QStringLiteral("działalność gospodarcza, zasady ogólne"),
    };
}

QStringList FlatRateKindNames()
{
    return {QStringLiteral("handel (3%)"), QStringLiteral("produkcja (5,5%)"), QStringLiteral("usługi (8,5%)")};
}

long double FlatRatePercent(int kind)
{
    switch (kind) {
    case 0: return 3.0L;
    case 1: return 5.5L;
    case 2: return 8.5L;
    default: return 0.0L;
    }
}

bool MethodFixesCosts(TaxMethod method)
{
    return method >= TaxMethod::EmployedLocal && method <= TaxMethod::BusinessFlatRate;
}

bool MethodFixesContributions(TaxMethod method)
{
    return method > TaxMethod::EmployedSeveralElsewhere;
}

void ApplyTaxMethod(IncomeTaxForm& form)
{
    const int index = static_cast<int>(form.method);
    if (MethodFixesCosts(form.method))
        form.costs = Money::FromGrosze(kCostsGrosze[index]);
    if (MethodFixesContributions(form.method)) {
        form.retirement = kBusinessRetirement;
        form.disability = kBusinessDisability;
        form.sickness = kBusinessSickness;
        form.health = kBusinessHealth;
    }
}

IncomeTaxResult RecomputeIncomeTax(IncomeTaxForm& form, TaxInputChange change, bool salaryHasFocus)
{
    const bool salaryLeads = change == TaxInputChange::None || change == TaxInputChange::MonthlySalary || salaryHasFocus;
    if (salaryLeads && form.monthlySalary > Money())
        form.annualGross = std::min(form.monthlySalary * std::int64_t{12}, Money::FromReal(kTaxInputMaximum));
    const Money gross = form.annualGross;

    if (IsEmployment(form.method) && change != TaxInputChange::Retirement && change != TaxInputChange::Health) {
        const Money base = std::min(gross, kZusBaseCeiling);
        form.retirement = Percent(form.retirementPercent, base);
        form.disability = Percent(form.disabilityPercent, base);
        form.sickness = Percent(form.sicknessPercent, gross);
        form.health = Percent(form.healthPercent, gross);
    }

    const bool flatRate = form.method == TaxMethod::BusinessFlatRate;
    const Money income = RoundToGrosz(flatRate ? gross : gross - form.costs);
    const Money social = form.retirement + form.disability + form.sickness;

    IncomeTaxResult r;
    r.taxable = RoundToGrosz(income - social);
    r.tax = flatRate ? RoundToGrosz(r.taxable * (FlatRatePercent(form.flatRateKind) / 100.0L))
                     : IncomeTax2002(r.taxable) - form.health;
    if (r.tax < Money())
        r.tax = Money();
    r.net = r.taxable - r.tax;
    r.zusTotal = social + form.health;
    return r;
}
