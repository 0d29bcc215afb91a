#include "core/generic_items.h"

#include "core/database.h"

#include "platform/atomic_file.h"
#include "text/dates.h"
#include "text/format.h"

#include <QFile>
#include <QFileInfo>


template <int N>
void QelPayload<N>::Load(tQelStream& stream)
{
    for (auto& text : s)
        text = stream.ReadString();
    stream.ReadBuffer(i.data(), sizeof i);
    stream.ReadBuffer(c.data(), sizeof c);
    stream.ReadBuffer(b.data(), sizeof b);
    stream.ReadBuffer(d.data(), sizeof d);
}

template <int N>
void QelPayload<N>::Store(tQelStream& stream) const
{
    for (const auto& text : s)
        stream.WriteString(text);
    stream.WriteBuffer(i.data(), sizeof i);
    stream.WriteBuffer(c.data(), sizeof c);
    stream.WriteBuffer(b.data(), sizeof b);
    stream.WriteBuffer(d.data(), sizeof d);
}

template <int N>
void QelPayload<N>::Export(QString& line, QChar separator) const
{
    for (const auto& text : s)
        line += text + separator;
    for (const auto value : i)
        line += (value ? QString::number(value) : QString()) + separator;
    for (const auto value : c) {
        const Money rounded = RoundToGrosz(value);
        line += (rounded.isZero() ? QString() : MoneyToShortText(rounded)) + separator;
    }
    for (const auto value : b)
        line += (value ? YesNoText(true) : QString()) + separator;
    for (const auto value : d)
        line += (value != 0 ? PolishFormatDateTime(QStringLiteral("yyyy/mm/dd"), value) : QString()) + separator;
}

template <int N>
void QelPayload<N>::ExportTitle(QString& line, QChar separator, const QString& prefix)
{
    for (const char16_t kind : {u's', u'i', u'c', u'b', u'd'})
        for (int k = 0; k < N; ++k)
            line += prefix + QChar(kind) + QString::number(k) + separator;
}

template <int N>
bool QelPayload<N>::Equals(const QelPayload& other) const
{
    for (int k = 0; k < N; ++k)
        if (s[k].compare(other.s[k], Qt::CaseInsensitive) != 0)
            return false;
    return i == other.i && c == other.c && b == other.b && d == other.d;
}

// --- TqelGenericItem ----------------------------------------------------------

void TqelGenericItem::Load(tQelStream& stream)
{
    tQelObject::Load(stream);
    g.Load(stream);
}

void TqelGenericItem::Store(tQelStream& stream) const
{
    if (!skip)
        g.Store(stream);
}

QString TqelGenericItem::ExportString(QChar separator) const
{
    QString line;
    g.Export(line, separator);
    return line;
}

QString TqelGenericItem::ExportTitleString(QChar separator) const
{
    QString line;
    QelPayload<11>::ExportTitle(line, separator, QString());
    return line;
}

void TqelGenericItem::NormalizeExportString(QString& text, QChar separator) const
{
    text.replace(QStringLiteral("\r\n"), separator == u'\t' ? QStringLiteral("|") : QStringLiteral("\t"));
}

bool TqelGenericItem::LoadFromFile(const QString& name)
{
    if (name.isEmpty())
        return false;
    QFile file(name);
    bool ok = false;
    if (file.open(QIODevice::ReadOnly)) {
        try {
            tQelStream stream(file.readAll());
            Load(stream);
            ok = true;
        } catch (const EqelException&) {
        }
    }
    if (!ok && !QFileInfo::exists(name))
        SaveToFile(name);
    return ok;
}

bool TqelGenericItem::SaveToFile(const QString& name)
{
    tQelStream stream;
    Store(stream);
    return qel::RepairFileAttributes(name) && qel::WriteFileAtomically(name, stream.Data());
}

void TqelGenericItem::Assign(const TqelGenericItem* other)
{
    g = other ? other->g : QelPayload<11>{};
}

bool TqelGenericItem::IsEqual(const TqelGenericItem* other) const
{
    return other && g.Equals(other->g);
}

// --- tQelBigItem / tQelMegaItem ---------------------------------------------------

template <int N, char16_t Prefix>
void QelExtendedItem<N, Prefix>::Load(tQelStream& stream)
{
    TqelGenericItem::Load(stream);
    extra.Load(stream);
}

template <int N, char16_t Prefix>
void QelExtendedItem<N, Prefix>::Store(tQelStream& stream) const
{
    if (skip)
        return;
    TqelGenericItem::Store(stream);
    extra.Store(stream);
}

template <int N, char16_t Prefix>
QString QelExtendedItem<N, Prefix>::ExportString(QChar separator) const
{
    QString line = TqelGenericItem::ExportString(separator);
    extra.Export(line, separator);
    return line;
}

template <int N, char16_t Prefix>
QString QelExtendedItem<N, Prefix>::ExportTitleString(QChar separator) const
{
    QString line = TqelGenericItem::ExportTitleString(separator);
    QelPayload<N>::ExportTitle(line, separator, QString(QChar(Prefix)));
    return line;
}

template <int N, char16_t Prefix>
void QelExtendedItem<N, Prefix>::Assign(const TqelGenericItem* other)
{
    TqelGenericItem::Assign(other);
    const auto* same = dynamic_cast<const QelExtendedItem*>(other);
    extra = same ? same->extra : QelPayload<N>{};
}

template <int N, char16_t Prefix>
bool QelExtendedItem<N, Prefix>::IsEqual(const TqelGenericItem* other) const
{
    const auto* same = dynamic_cast<const QelExtendedItem*>(other);
    return same && TqelGenericItem::IsEqual(other) && extra.Equals(same->extra);
}

template class QelExtendedItem<31, u'B'>;
template class QelExtendedItem<251, u'M'>;

// --- registration -----------------------------------------------------------------

void qel::RegisterPersistentClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterQelClass<TqelGenericItem>(711);
    RegisterQelClass<tQelGenericLIst>(712);
    RegisterQelClass<tQelMegaItem>(713);
    RegisterQelClass<tQelBigItem>(714);
    RegisterQelClass<tQelList>(50);
    RegisterQelClass<tQelList>(100);
    RegisterQelClass<tQelSortedList>(700);
    RegisterQelClass<tQelObject>(101);
}
