#include "contacts/contact_item.h"

#include "text/strings.h"

#include <QCollator>

namespace {

using F = TDane::Field;

const QString kBar = QStringLiteral("|");
const QString kNumberSeparator = QStringLiteral("  –  ");

// A "|" typed into a joined field would move the following values into the
// wrong fields when read back, so it is written as "/".
QString Unbarred(const QString& text)
{
    return text.contains(u'|') ? QString(text).replace(u'|', u'/') : text;
}

QString Pair(const QString& first, const QString& second)
{
    const QString a = Unbarred(first);
    const QString b = Unbarred(second);
    return a == b ? a : a + kBar + b;
}

// This pair is read by position, so a lone value would lose the web page
// whenever it equals the e-mail address.
QString EmailAndWww(const QString& email, const QString& www)
{
    return www.isEmpty() ? Unbarred(email) : Unbarred(email) + kBar + Unbarred(www);
}

QString Part(const QStringList& parts, int k)
{
    return k < parts.size() ? parts[k] : QString();
}

// "a|b|c" by position into the fields given; missing parts are empty.
void SplitByPosition(const QString& stored, std::initializer_list<QString*> fields)
{
    qsizetype start = 0;
    for (QString* field : fields) {
        if (start > stored.size()) {
            field->clear();
            continue;
        }
        qsizetype bar = stored.indexOf(u'|', start);
        if (bar < 0)
            bar = stored.size();
        *field = stored.mid(start, bar - start);
        start = bar + 1;
    }
}

// "a|b": a and b; "a": a in both; an empty half takes the other's value when filling.
void SplitPair(const QString& stored, QString& first, QString& second, bool fillEmpty)
{
    const int bar = static_cast<int>(stored.indexOf(u'|'));
    if (bar < 0) {
        first = second = stored;
        return;
    }
    first = stored.left(bar);
    second = stored.mid(bar + 1);
    if (fillEmpty) {
        if (first.isEmpty())
            first = second;
        else if (second.isEmpty())
            second = first;
    }
}

constexpr F kExportOrder[] = {
    F::Id, F::Nazwa, F::ImieNazwisko, F::Firma, F::Adres, F::Kod, F::Miasto, F::Bank, F::Konto, F::NIP, F::Regon,
    F::PEsel, F::Paszport, F::Dowod, F::email, F::telefon, F::faks, F::komorka, F::AdresWysylki, F::KodWysylki,
    F::MiastoWysylki, F::www, F::samochod, F::dowodWystawca, F::dowodDataW,
};

const char16_t* const kColumnNames[TDane::kFieldCount] = {
    u"", u"id", u"Nazwa", u"ImieNazwisko", u"Firma", u"Adres", u"Kod", u"Miasto", u"AdresWysylki", u"KodWysylki",
    u"MiastoWysylki", u"Bank", u"Konto", u"NIP", u"Regon", u"PEsel", u"Paszport", u"samochod", u"Dowod",
    u"dowodWystawca", u"dowodDataW", u"email", u"www", u"telefon", u"faks", u"komorka",
};

constexpr int kTabFieldCount = 22;  // the export order up to www

constexpr F kSortKeys[] = {
    F::Id, F::Nazwa, F::ImieNazwisko, F::Firma, F::Adres, F::Kod, F::Miasto, F::Bank, F::Konto, F::NIP, F::Regon,
    F::PEsel, F::Paszport, F::Dowod, F::email, F::telefon, F::faks, F::komorka,
};

QString TabJoin(const QStringList& values)
{
    return values.join(u'\t');
}

}  // namespace

// --- TDane ------------------------------------------------------------------

void TDane::Load(tQelStream& stream)
{
    auto& d = *this;
    d[Id] = stream.ReadString();
    d[Nazwa] = stream.ReadString();
    d[ImieNazwisko] = stream.ReadString();
    d[Firma] = stream.ReadString();
    SplitPair(stream.ReadString(), d[Adres], d[AdresWysylki], true);
    SplitPair(stream.ReadString(), d[Kod], d[KodWysylki], true);
    SplitPair(stream.ReadString(), d[Miasto], d[MiastoWysylki], true);
    d[Bank] = stream.ReadString();
    d[Konto] = stream.ReadString();
    d[NIP] = stream.ReadString();
    d[Regon] = stream.ReadString();
    d[PEsel] = stream.ReadString();
    SplitPair(stream.ReadString(), d[Paszport], d[samochod], false);
    SplitByPosition(stream.ReadString(), {&d[Dowod], &d[dowodWystawca], &d[dowodDataW]});
    SplitByPosition(stream.ReadString(), {&d[email], &d[www]});
    d[telefon] = stream.ReadString();
    d[faks] = stream.ReadString();
    d[komorka] = stream.ReadString();

    if (d[Nazwa].isEmpty())
        d[Nazwa] = d[Firma];
    if (d[Nazwa].isEmpty())
        d[Nazwa] = d[ImieNazwisko];
    if (d[Id].isEmpty())
        d[Id] = Shorten(12, LettersOnly(d[Nazwa]));
    if (d[ImieNazwisko].isEmpty() && d[Firma].isEmpty() && !d[Nazwa].isEmpty())
        (d[Nazwa].count(u' ') == 1 ? d[ImieNazwisko] : d[Firma]) = d[Nazwa];
}

void TDane::Store(tQelStream& stream) const
{
    const auto& d = *this;
    for (const QString& text : {
             d[Id], d[Nazwa], d[ImieNazwisko], d[Firma], Pair(d[Adres], d[AdresWysylki]), Pair(d[Kod], d[KodWysylki]),
             Pair(d[Miasto], d[MiastoWysylki]), d[Bank], d[Konto], d[NIP], d[Regon], d[PEsel],
             Pair(d[Paszport], d[samochod]), Unbarred(d[Dowod]) + kBar + Unbarred(d[dowodWystawca]) + kBar + Unbarred(d[dowodDataW]),
             EmailAndWww(d[email], d[www]), d[telefon], d[faks], d[komorka]})
        stream.WriteString(text);
}

QString TDane::ExportString(QChar separator) const
{
    QString line;
    for (const F field : kExportOrder)
        line += f[field] + separator;
    return line;
}

QString TDane::ExportTitleString(QChar separator)
{
    QString line;
    for (const F field : kExportOrder)
        line += QString::fromUtf16(kColumnNames[field]) + separator;
    return line;
}

QString TDane::TabLine() const
{
    QStringList values;
    for (int k = 0; k < kTabFieldCount; ++k)
        values.append(f[kExportOrder[k]]);
    return TabJoin(values);
}

void TDane::ParseTabLine(const QString& line)
{
    // A line read from a file may still carry its CR LF, which is no part of www.
    QStringView text(line);
    while (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    const QStringList parts = text.toString().split(u'\t');
    for (int k = 0; k < kTabFieldCount; ++k)
        f[kExportOrder[k]] = Part(parts, k);
}

bool TDane::IsEmpty() const
{
    for (int k = Id; k < kFieldCount; ++k)
        if (k != samochod && !f[k].isEmpty())
            return false;
    return true;
}

bool TDane::HasCorrespondenceAddress() const
{
    const auto& d = *this;
    return (d[AdresWysylki] != d[Adres] || d[KodWysylki] != d[Kod] || d[MiastoWysylki] != d[Miasto]) &&
           !d[AdresWysylki].isEmpty() && !d[KodWysylki].isEmpty() && !d[MiastoWysylki].isEmpty();
}

// --- TSkarboweDane ------------------------------------------------------------

void TSkarboweDane::Clear()
{
    dataUrodzenia = 0;
    texts_.clear();
}

QString TSkarboweDane::Text(int k) const
{
    if (texts_.isEmpty())
        return k == Kraj ? QStringLiteral("Polska") : QString();
    return texts_.value(k);
}

void TSkarboweDane::SetText(int k, const QString& text)
{
    if (k < 0 || k >= kTextCount)
        return;
    if (texts_.isEmpty()) {
        texts_.resize(kTextCount);
        texts_[Kraj] = QStringLiteral("Polska");
    }
    texts_[k] = text;
}

void TSkarboweDane::LoadLegacy(tQelStream& stream)
{
    texts_.resize(kTextCount);
    for (QString& text : texts_)
        text = stream.ReadString();
    dataUrodzenia = stream.ReadValue<double>();
    char skipped[201];
    stream.ReadBuffer(skipped, sizeof skipped);
}

QString TSkarboweDane::TabLine() const
{
    QStringList values;
    for (int k = 0; k < kTextCount; ++k)
        values.append(Text(k));
    values.append(QString::number(dataUrodzenia, 'g', 17));
    return TabJoin(values);
}

// --- tQelItem -------------------------------------------------------------------

void tQelItem::Load(tQelStream& stream)
{
    domyslny = stream.ReadValue<quint8>() != 0;
    dane.Load(stream);
    TqelGenericItem::Load(stream);
    stalyRabat = stream.ReadValue<qint32>();
    stalaMarza = stream.ReadValue<qint32>();
    const bool hasFiscalData = stream.ReadValue<quint8>() != 0;
    stalyTerminPlatnosci = stream.ReadValue<qint32>();
    stream.ReadBuffer(reserved.data(), kReservedSize);
    if (hasFiscalData)
        skarbowe.LoadLegacy(stream);
    else
        skarbowe.Clear();
}

void tQelItem::Store(tQelStream& stream) const
{
    if (skip)
        return;
    stream.WriteValue<quint8>(domyslny ? 1 : 0);
    dane.Store(stream);
    TqelGenericItem::Store(stream);
    stream.WriteValue<qint32>(stalyRabat);
    stream.WriteValue<qint32>(stalaMarza);
    stream.WriteValue<quint8>(0);  // the fiscal block is never written again
    stream.WriteValue<qint32>(stalyTerminPlatnosci);
    stream.WriteBuffer(reserved.data(), kReservedSize);
}

QString tQelItem::ExportString(QChar separator) const
{
    return TqelGenericItem::ExportString(separator) + dane.ExportString(separator) + separator;
}

QString tQelItem::ExportTitleString(QChar separator) const
{
    return TqelGenericItem::ExportTitleString(separator) + TDane::ExportTitleString(separator) + separator;
}

void tQelItem::Assign(const TqelGenericItem* other)
{
    TqelGenericItem::Assign(other);
    const auto* item = dynamic_cast<const tQelItem*>(other);
    if (!item)
        return;
    dane = item->dane;
    skarbowe = item->skarbowe;
    stalyRabat = item->stalyRabat;
    stalaMarza = item->stalaMarza;
    stalyTerminPlatnosci = item->stalyTerminPlatnosci;
    reserved = item->reserved;
    domyslny = item->domyslny;
}

bool tQelItem::IsEqual(const TqelGenericItem* other) const
{
    const auto* item = dynamic_cast<const tQelItem*>(other);
    return item && TqelGenericItem::IsEqual(other) &&
           dane.ExportString(u'\t').compare(item->dane.ExportString(u'\t'), Qt::CaseInsensitive) == 0 &&
           skarbowe.TabLine().compare(item->skarbowe.TabLine(), Qt::CaseInsensitive) == 0 &&
           stalyRabat == item->stalyRabat && stalaMarza == item->stalaMarza &&
           stalyTerminPlatnosci == item->stalyTerminPlatnosci;
}

void RegisterContactClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    qel::RegisterQelClass<tQelItem>(4021);
}

// --- presentation texts -------------------------------------------------------------

namespace {

// The items that are set, joined.
QString JoinSet(const QStringList& items, const QString& separator = kNumberSeparator)
{
    QStringList set;
    for (const QString& item : items)
        if (!item.isEmpty())
            set.append(item);
    return set.join(separator);
}

QString Labelled(const QString& label, const QString& value, const QString& after = QString())
{
    return value.isEmpty() ? QString() : label + value + after;
}

QString AddressLine(const TDane& d, F adres, F kod, F miasto)
{
    return d[adres] + QStringLiteral(", ") + d[kod] + u' ' + d[miasto];
}

}  // namespace

QString AddressBlock(const TDane& d, AddressBlockFlags flags)
{
    if (d.IsEmpty())
        return QStringLiteral("-");
    const QString textFont = flags.invoiceFonts ? QStringLiteral("<fakturatextfont>") : QStringLiteral("<textfont>");
    const QString descFont = flags.invoiceFonts ? QStringLiteral("<fakturaopisfont>") : QStringLiteral("<opisfont>");
    QString text = textFont + QStringLiteral("</i><b>") + d[F::Nazwa] + QStringLiteral("</b><br>");
    if (const QString address = ShortAddress(d); !address.isEmpty())
        text += address + QStringLiteral("<br>");
    if (d.HasCorrespondenceAddress()) {
        const QString shipping = AddressLine(d, F::AdresWysylki, F::KodWysylki, F::MiastoWysylki);
        if (flags.correspondence)
            text += QStringLiteral("adres do korespondencji: ") + shipping + QStringLiteral("<br>");
        if (flags.delivery)
            text += QStringLiteral("<b>adres dostawy: ") + shipping + QStringLiteral("</b><br>");
    }
    QString numbers = JoinSet({Labelled(QStringLiteral("NIP: "), d[F::NIP]), Labelled(QStringLiteral("REGON: "), d[F::Regon]),
                               d[F::Firma].isEmpty() ? Labelled(QStringLiteral("PESEL: "), d[F::PEsel]) : QString()});
    if (!numbers.isEmpty())
        numbers += QStringLiteral("<br>");
    QString contact;
    // The invoices' own setting for showing contact data belongs to their module.
    if (!flags.invoiceFonts) {
        contact = JoinSet({Labelled(QStringLiteral("telefon: "), d[F::telefon]), Labelled(QStringLiteral("faks: "), d[F::faks]),
                           Labelled(QStringLiteral("e-mail: "), d[F::email])});
        if (!contact.isEmpty())
            contact = descFont + contact + QStringLiteral("<br>");
    }
    text += numbers + contact + textFont;
    if (!d[F::Bank].isEmpty() || !d[F::Konto].isEmpty())
        text += QStringLiteral("konto: ") + d[F::Konto] + Labelled(QStringLiteral(" ("), d[F::Bank], QStringLiteral(")"));
    if (flags.invoiceFonts && !d[F::samochod].isEmpty())
        text += QStringLiteral("<fakturaopisfont>numer rejestracyjny pojazdu: <fakturatextfont>") + d[F::samochod];
    return text;
}

QString ContactSummary(const TDane& d)
{
    QString text;
    const bool firma = !d[F::Firma].isEmpty();
    if ((firma && d[F::Firma] != d[F::Nazwa]) || (!firma && d[F::ImieNazwisko] != d[F::Nazwa])) {
        text = QStringLiteral("<b>") + d[F::Id] + QStringLiteral("</b>: ") + d[F::ImieNazwisko] + QStringLiteral(", <b>") +
               Shorten(64, d[F::Nazwa]) + QStringLiteral("</b>");
        if (firma)
            text += u' ' + d[F::Firma];
    } else {
        text = d[F::Id] + QStringLiteral(": <b>") + (firma ? Shorten(64, d[F::Firma]) : d[F::ImieNazwisko]) +
               QStringLiteral("</b>");
    }
    text += QStringLiteral("<br>") + d[F::Adres] + QStringLiteral(", ") + d[F::Kod] + QStringLiteral(" <b>") +
            d[F::Miasto] + QStringLiteral("</b>");
    if (d.HasCorrespondenceAddress())
        text += QStringLiteral("<br>adres do korespondencji: ") + AddressLine(d, F::AdresWysylki, F::KodWysylki, F::MiastoWysylki);
    if (!d[F::NIP].isEmpty())
        text += QStringLiteral("<br><b>") + d[F::NIP] + QStringLiteral("</b>");
    if (!d[F::email].isEmpty())
        text += QStringLiteral("<br>email: <a href=\"mailto:") + d[F::email] + QStringLiteral("\">") + d[F::email] +
                QStringLiteral("</a>");
    return text;
}

QString ContactDetails(const TDane& d)
{
    QString text;
    if (!d[F::email].isEmpty())
        text += QStringLiteral("<br>email: <a href=\"mailto:") + d[F::email] + QStringLiteral("\">") + d[F::email] +
                QStringLiteral("</a>");
    if (!d[F::Konto].isEmpty() || !d[F::Bank].isEmpty())
        text += QStringLiteral("<br>konto: ") + d[F::Konto] + Labelled(QStringLiteral(" w "), d[F::Bank]);
    const QString phones = JoinSet({Labelled(QStringLiteral("telefon: "), d[F::telefon]), Labelled(QStringLiteral("faks: "), d[F::faks]),
                                    Labelled(QStringLiteral("komórka: "), d[F::komorka])},
                                   QStringLiteral(", "));
    if (!phones.isEmpty())
        text += QStringLiteral("<br>") + phones;
    return text;
}

QString OneLineSummary(const TDane& d)
{
    return u'(' + d[F::Id] + QStringLiteral(") ") + d[F::Nazwa] + QStringLiteral(" • ") + d[F::Adres] +
           QStringLiteral(", ") + d[F::Kod] + u' ' + d[F::Miasto] + QStringLiteral(" • ") + d[F::NIP] + u' ' + d[F::Regon];
}

QString ShortAddress(const TDane& d)
{
    if (d[F::Adres].isEmpty() && d[F::Kod].isEmpty() && d[F::Miasto].isEmpty())
        return {};
    return AddressLine(d, F::Adres, F::Kod, F::Miasto);
}

QString EnvelopeAddress(const TDane& d)
{
    QString text;
    if (!d[F::ImieNazwisko].isEmpty())
        text += d[F::ImieNazwisko] + QStringLiteral("<br>");
    if (!d[F::Firma].isEmpty())
        text += d[F::Firma] + QStringLiteral("<br>");
    return text + d[F::Adres] + QStringLiteral("<br><b>") + d[F::Kod] + u' ' + d[F::Miasto] + QStringLiteral("</b>");
}

QString TabSummary(const TDane& d)
{
    return TabJoin({d[F::ImieNazwisko], d[F::Firma], d[F::Adres], d[F::Kod], d[F::Miasto], d[F::NIP], d[F::telefon],
                    d[F::faks], d[F::email], d[F::Bank], d[F::Konto]});
}

tQelItem* DefaultElement(tQelList& database, bool fallBackToFirst)
{
    tQelItem* first = nullptr;
    const int n = database.Count();
    for (int k = 0; k < n; ++k) {
        auto* item = dynamic_cast<tQelItem*>(database.ItemAt(k));
        if (!item)
            continue;
        if (item->domyslny)
            return item;
        if (!first)
            first = item;
    }
    return fallBackToFirst ? first : nullptr;
}

int CompareContacts(const tQelItem* a, const tQelItem* b, int key)
{
    if (!a || !b || key < 0 || key >= static_cast<int>(std::size(kSortKeys)))
        return 0;
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Polish, QLocale::Poland)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(a->dane[kSortKeys[key]], b->dane[kSortKeys[key]]);
}
