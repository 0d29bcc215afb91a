#pragma once

#include "text/money.h"

#include <QStringList>

// Personal income tax of 2002 from an annual gross income, with the social
// insurance (ZUS) contributions and the flat-rate variant.

// The tax by the 2002 scale on an income, rounded to whole tens of złoty; never
// negative.
Money IncomeTax2002(Money income);

// The methods of the calculator, by their item index.
enum class TaxMethod : int {
    FromEntries = 0,
    EmployedLocal = 1,
    EmployedElsewhere = 2,
    EmployedSeveral = 3,
    EmployedSeveralElsewhere = 4,
    BusinessFlatRate = 5,
    BusinessGeneral = 6,
};

QStringList TaxMethodNames();
QStringList FlatRateKindNames();

// The flat-rate percentage of a kind (3, 5,5, 8,5); 0 for an unknown kind.
long double FlatRatePercent(int kind);

// The calculator's inputs as the window holds them.
struct IncomeTaxForm {
    TaxMethod method = TaxMethod::BusinessGeneral;
    int flatRateKind = 0;
    Money monthlySalary;
    Money annualGross;
    Money costs;
    long double retirementPercent = 9.76L;
    long double disabilityPercent = 6.5L;
    long double sicknessPercent = 4.07L;
    long double healthPercent = 7.75L;
    Money retirement;
    Money disability;
    Money sickness;
    Money health;
};

struct IncomeTaxResult {
    Money taxable;     // dochód do opodatkowania
    Money tax;         // należny podatek
    Money net;         // dochód netto
    Money zusTotal;    // suma wpłat do ZUS
};

// Which input the user changed, as far as the recompute cares.
enum class TaxInputChange { None, MonthlySalary, Retirement, Health, Other };

// The largest amount an input field takes: the annual gross derived from the
// monthly salary is held to it as well.
inline constexpr long double kTaxInputMaximum = 2147483647.0L;

// A method chosen: sets the costs of earning for the employment methods (and
// 0 for the flat rate) and the fixed contributions of the business methods.
void ApplyTaxMethod(IncomeTaxForm& form);

// Whether the method fixes the costs / the contributions (the window greys them).
bool MethodFixesCosts(TaxMethod method);
bool MethodFixesContributions(TaxMethod method);

// Recomputes after a change: the annual gross from the salary (when there is no
// changed input or the salary itself changed or has the focus), the employment
// contributions from their percentages, and the result. Writes the derived
// inputs back into the form.
IncomeTaxResult RecomputeIncomeTax(IncomeTaxForm& form, TaxInputChange change, bool salaryHasFocus);
