#pragma once

#include "core/generic_items.h"

// A full list (32 767 generic items) of realistic contact-like strings and
// numbers, the load every database benchmark works on.
inline void FillRealisticItems(tQelList& list)
{
    for (int k = 0; k < tQelList::kMaxNormalCount; ++k) {
        auto* item = new TqelGenericItem;
        item->g.s[0] = QStringLiteral("Przedsiębiorstwo Handlowo-Usługowe „Żuraw” nr %1").arg(k);
        item->g.s[1] = QStringLiteral("ul. Świętokrzyska %1/%2").arg(k % 200).arg(k % 17);
        item->g.s[2] = QStringLiteral("00-%1").arg(k % 1000, 3, 10, QChar(u'0'));
        item->g.s[3] = QStringLiteral("Łódź");
        item->g.s[4] = QStringLiteral("526-%1-%2-%3").arg(k % 1000).arg(k % 100).arg(k % 97);
        item->g.s[5] = QStringLiteral("PKO BP S.A. O/Kraków 10201097-%1").arg(k, 10, 10, QChar(u'0'));
        item->g.s[6] = QStringLiteral("Jan Kowalski, tel. (0-22) 628-%1").arg(k % 10000);
        for (int j = 0; j < 11; ++j) {
            item->g.i[j] = k * j;
            item->g.c[j] = Money::FromUnits(k * 1234LL + j);
            item->g.b[j] = (k + j) % 2;
            item->g.d[j] = 37000 + k % 1000 + j;
        }
        list.Add(item);
    }
}
