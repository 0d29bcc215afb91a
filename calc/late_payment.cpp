#include "calc/late_payment.h"

#include "calc/interest_rates.h"
#include "text/dates.h"
#include "text/format.h"
#include "text/words.h"

#include <cmath>

namespace {

Money TabInterest(int tab, Money principal, TDateTime start, TDateTime end, Money annualRate)
{
    switch (tab) {
    case lpTaxArrears: return InterestByTable(TaxArrearsTable(), principal, start, end);
    case lpStatutory: return InterestByTable(StatutoryTable(), principal, start, end);
    default: return InterestForKind(ikLinear, true, principal, annualRate, end, start);
    }
}

}  // namespace

LatePaymentResult ComputeLatePayment(const LatePaymentInput& in)
{
    LatePaymentResult r;
    r.startPhrase = RelativeDayPhrase(in.start);
    r.endPhrase = RelativeDayPhrase(in.end);
    const TDateTime start = std::floor(in.start);
    const TDateTime end = std::floor(in.end);
    const Money p = in.principal - in.paid;
    // Without either date there is no period: counting from 30 December 1899
    // would charge interest for every day since 1990.
    if (start > 0 && end > 0) {
        r.days = QString::number(static_cast<long long>(end - start)) + QStringLiteral(" dni");
        r.interest = TabInterest(in.tab, p, start, end, in.annualRate);
    } else {
        r.days = QStringLiteral("-");
    }
    // Interest "due" on an overpayment would be a debt of the creditor.
    if (r.interest < Money())
        r.interest = Money();
    r.total = p + r.interest;
    r.totalInWords = AmountInWords(r.total);
    return r;
}

std::vector<RateLine> RateListLines(int tab)
{
    std::vector<RateLine> lines;
    if (tab != lpTaxArrears && tab != lpStatutory)
        return lines;
    const RateTable& table = tab == lpTaxArrears ? TaxArrearsTable() : StatutoryTable();
    for (int i = static_cast<int>(table.rows.size()) - 1; i >= 0; --i) {
        const RateTableEntry& e = table.rows[i];
        if (e.rate.isZero() || e.startDate == 0)
            continue;
        lines.push_back({SafeFormat(QStringLiteral("<b>%s%%</b> od %s"), MoneyToShortText(e.rate),
                                    DateText(DateFromNumber(e.startDate))),
                         i + 1});
    }
    return lines;
}
