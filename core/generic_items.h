#pragma once

#include "core/qel_object.h"
#include "text/money.h"

#include <array>

// The general records with their fixed payloads: strings, 32-bit integers, money
// , one-byte flags and dates, stored in that order.
template <int N>
struct QelPayload {
    std::array<QString, N> s{};
    std::array<qint32, N> i{};
    std::array<Money, N> c{};
    std::array<quint8, N> b{};
    std::array<TDateTime, N> d{};

    void Load(tQelStream& stream);
    void Store(tQelStream& stream) const;
    void Export(QString& line, QChar separator) const;
    static void ExportTitle(QString& line, QChar separator, const QString& prefix);
    bool Equals(const QelPayload& other) const;  // strings ignoring letter case
};

class TqelGenericItem : public tQelObject {
public:
    QEL_CLASS(TqelGenericItem)

    QelPayload<11> g;

    void Load(tQelStream& stream) override;
    void Store(tQelStream& stream) const override;
    QString ExportString(QChar separator) const override;
    QString ExportTitleString(QChar separator) const override;
    void NormalizeExportString(QString& text, QChar separator) const override;

    // A single item as a whole file (no type number in front).
    virtual bool LoadFromFile(const QString& name);
    virtual bool SaveToFile(const QString& name);
    virtual void Assign(const TqelGenericItem* other);  // none clears; the skip flag stays
    virtual bool IsEqual(const TqelGenericItem* other) const;
};

// The generic record with one more payload of N elements, whose column names
// carry the prefix.
template <int N, char16_t Prefix>
class QelExtendedItem : public TqelGenericItem {
public:
    QelPayload<N> extra;

    void Load(tQelStream& stream) override;
    void Store(tQelStream& stream) const override;
    QString ExportString(QChar separator) const override;
    QString ExportTitleString(QChar separator) const override;
    void Assign(const TqelGenericItem* other) override;
    bool IsEqual(const TqelGenericItem* other) const override;
};

class tQelBigItem : public QelExtendedItem<31, u'B'> {
public:
    QEL_CLASS(tQelBigItem)
};

class tQelMegaItem : public QelExtendedItem<251, u'M'> {
public:
    QEL_CLASS(tQelMegaItem)
};
