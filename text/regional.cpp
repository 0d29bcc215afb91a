#include "text/regional.h"

namespace qel {

namespace {
RegionalSettings& Mutable()
{
    static RegionalSettings settings;
    return settings;
}
}  // namespace

const RegionalSettings& Regional() { return Mutable(); }

void SetCurrencySymbol(const QString& symbol) { Mutable().currencySymbol = symbol; }

void SetDateSeparator(QChar separator) { Mutable().dateSeparator = separator; }

}  // namespace qel
