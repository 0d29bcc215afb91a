#pragma once

#include "platform/datetime.h"
#include "text/money.h"

#include <QString>

#include <vector>

// The late-payment interest calculator's arithmetic, apart from its window.

// The calculator's tabs.
enum LatePaymentTab : int { lpTaxArrears = 0, lpStatutory = 1, lpContractual = 2 };

struct LatePaymentInput {
    int tab = lpTaxArrears;
    Money principal;  // należność główna
    Money paid;       // już zapłacono
    TDateTime start = 0;  // odsetki liczone od dnia (0: none)
    TDateTime end = 0;    // do dnia
    Money annualRate;     // the contractual rate in percent (tab 2)
};

struct LatePaymentResult {
    QString startPhrase;  // «wczoraj», «3 dni temu», "-" for no date
    QString endPhrase;
    QString days;         // «10 dni»
    Money interest;
    Money total;
    QString totalInWords;
};

// The interest of the tab on principal less paid over whole days from start
// to end. An overpaid debt (paid above the principal) bears no interest on any
// tab, its total being the negative balance; without a valid start or end date
// there is no period and no interest (the day count reads "-").
LatePaymentResult ComputeLatePayment(const LatePaymentInput& input);

// The rates of the tab's table, newest first: "<b>18%</b> od 24 października
// 2002" with the table's row number; tab 2 has none.
struct RateLine {
    QString text;
    int row = 0;  // 1-based row of the table
};
std::vector<RateLine> RateListLines(int tab);
