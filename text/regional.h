#pragma once

#include <QChar>
#include <QString>

// The program's own regional settings, the same on every machine: Polish
// separators, and the currency symbol and date separator that start-up sets.
namespace qel {

struct RegionalSettings {
    QChar decimalSeparator = u',';
    QChar thousandSeparator = u' ';
    QChar dateSeparator = u'-';
    QString currencySymbol = QStringLiteral("zł");
};

const RegionalSettings& Regional();
void SetCurrencySymbol(const QString& symbol);
void SetDateSeparator(QChar separator);

}  // namespace qel
