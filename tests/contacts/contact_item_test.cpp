#include "contacts/contact_databases.h"
#include "contacts/contact_item.h"
#include "core/database.h"
#include "core/interaction.h"
#include "core/progress_note.h"
#include "core/settings.h"
#include "platform/cp1250.h"
#include "platform/paths.h"
#include "scratch_home.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include <memory>

namespace {

using F = TDane::Field;

class Contacts : public ::testing::Test {
protected:
    void SetUp() override
    {
        qel::RegisterPersistentClasses();
        RegisterContactClasses();
    }
};

QByteArray Str(const QString& text)
{
    const QByteArray bytes = qel::EncodeCp1250(text);
    const auto n = static_cast<qint16>(bytes.size());
    return QByteArray(reinterpret_cast<const char*>(&n), 2) + bytes;
}

template <typename T>
QByteArray Raw(T value)
{
    return QByteArray(reinterpret_cast<const char*>(&value), sizeof value);
}

QByteArray EmptyGeneric()
{
    return QByteArray(253, '\0');
}

TDane FullDane()
{
    TDane d;
    const std::pair<F, const char*> values[] = {
        {F::Id, "ŻUK"}, {F::Nazwa, "Przedsiębiorstwo Żuk"}, {F::ImieNazwisko, "Józef Żuk"}, {F::Firma, "Żuk sp. z o.o."},
        {F::Adres, "ul. Łąkowa 5"}, {F::AdresWysylki, "skr. poczt. 12"}, {F::Kod, "90-001"}, {F::KodWysylki, "90-001"},
        {F::Miasto, "Łódź"}, {F::MiastoWysylki, "Łódź"}, {F::Bank, "PKO BP"}, {F::Konto, "10 1020 3040"},
        {F::NIP, "725-000-11-22"}, {F::Regon, "471234567"}, {F::PEsel, "44051401359"}, {F::Paszport, "AB123"},
        {F::samochod, "EL 12345"}, {F::Dowod, "ABC 123456"}, {F::dowodWystawca, "Prezydent m. Łodzi"},
        {F::dowodDataW, "1999-05-01"}, {F::email, "biuro@zuk.pl"}, {F::www, "www.zuk.pl"}, {F::telefon, "42 630 00 00"},
        {F::faks, "42 630 00 01"}, {F::komorka, "601 000 000"},
    };
    for (const auto& [field, text] : values)
        d[field] = QString::fromUtf8(text);
    return d;
}

QByteArray Tail(qint32 rabat, qint32 marza, quint8 fiscal, qint32 termin, const QByteArray& reserved)
{
    return Raw(rabat) + Raw(marza) + Raw(fiscal) + Raw(termin) + reserved;
}

TEST_F(Contacts, FullRecordIsStoredByteForByteAndReadsBackEqual)
{
    tQelItem item;
    item.domyslny = true;
    item.dane = FullDane();
    item.stalyRabat = 5;
    item.stalaMarza = -3;
    item.stalyTerminPlatnosci = 14;
    item.reserved.fill('\x5a');
    tQelStream out;
    item.Store(out);

    QByteArray expected = QByteArray::fromHex("01");
    for (const char* text : {"ŻUK", "Przedsiębiorstwo Żuk", "Józef Żuk", "Żuk sp. z o.o.", "ul. Łąkowa 5|skr. poczt. 12",
                             "90-001", "Łódź", "PKO BP", "10 1020 3040", "725-000-11-22", "471234567", "44051401359",
                             "AB123|EL 12345", "ABC 123456|Prezydent m. Łodzi|1999-05-01", "biuro@zuk.pl|www.zuk.pl",
                             "42 630 00 00", "42 630 00 01", "601 000 000"})
        expected += Str(QString::fromUtf8(text));
    expected += EmptyGeneric() + Tail(5, -3, 0, 14, QByteArray(234, '\x5a'));
    EXPECT_EQ(out.Data(), expected);

    tQelStream in(out.Data());
    tQelItem back;
    back.Load(in);
    EXPECT_EQ(in.Remaining(), 0);
    EXPECT_TRUE(back.IsEqual(&item));
    EXPECT_EQ(back.dane.f, item.dane.f);
    EXPECT_TRUE(back.domyslny);
    EXPECT_EQ(back.reserved, item.reserved);
    tQelStream again;
    back.Store(again);
    EXPECT_EQ(again.Data(), expected);
}

TEST_F(Contacts, AddressPairsAsStoredAndRead)
{
    struct Case {
        const char* adres;
        const char* wysylki;
        const char* stored;
        const char* readAdres;
        const char* readWysylki;
    } cases[] = {
        {"X", "X", "X", "X", "X"},
        {"X", "Y", "X|Y", "X", "Y"},
        {"", "Y", "|Y", "Y", "Y"},
        {"X", "", "X|", "X", "X"},
        {"", "", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        tQelItem item;
        item.dane[F::Nazwa] = QStringLiteral("Firma");
        item.dane[F::Adres] = QString::fromUtf8(c.adres);
        item.dane[F::AdresWysylki] = QString::fromUtf8(c.wysylki);
        tQelStream out;
        item.Store(out);
        const QByteArray head = QByteArray(1, '\0') + Str(QString()) +
                                Str(QStringLiteral("Firma")) + Str(QString()) + Str(QString());
        ASSERT_TRUE(out.Data().startsWith(head));
        EXPECT_EQ(out.Data().mid(head.size(), 2 + qstrlen(c.stored)), Str(QString::fromUtf8(c.stored)));
        tQelStream in(out.Data());
        tQelItem back;
        back.Load(in);
        EXPECT_EQ(back.dane[F::Adres], QString::fromUtf8(c.readAdres));
        EXPECT_EQ(back.dane[F::AdresWysylki], QString::fromUtf8(c.readWysylki));
    }

    // Passport and vehicle keep an empty half; the triple and e-mail/www go by position.
    tQelItem item;
    item.dane[F::samochod] = QStringLiteral("WA 1");
    item.dane[F::dowodDataW] = QStringLiteral("2001");
    item.dane[F::www] = QStringLiteral("qel.pl");
    tQelStream out;
    item.Store(out);
    tQelStream in(out.Data());
    tQelItem back;
    back.Load(in);
    EXPECT_EQ(back.dane[F::Paszport], QString());
    EXPECT_EQ(back.dane[F::samochod], QStringLiteral("WA 1"));
    EXPECT_EQ(back.dane[F::Dowod], QString());
    EXPECT_EQ(back.dane[F::dowodDataW], QStringLiteral("2001"));
    EXPECT_EQ(back.dane[F::email], QString());
    EXPECT_EQ(back.dane[F::www], QStringLiteral("qel.pl"));

    // A "|" typed into a joined field must not shift the values after it.
    tQelItem barred;
    barred.dane[F::Adres] = barred.dane[F::AdresWysylki] = QStringLiteral("Rynek 1|2");
    barred.dane[F::dowodWystawca] = QStringLiteral("Wójt|Gmina");
    barred.dane[F::dowodDataW] = QStringLiteral("2001");
    tQelStream barredOut;
    barred.Store(barredOut);
    tQelStream barredIn(barredOut.Data());
    back.Load(barredIn);
    EXPECT_EQ(back.dane[F::Adres], QStringLiteral("Rynek 1/2"));
    EXPECT_EQ(back.dane[F::AdresWysylki], QStringLiteral("Rynek 1/2"));
    EXPECT_EQ(back.dane[F::dowodWystawca], QStringLiteral("Wójt/Gmina"));
    EXPECT_EQ(back.dane[F::dowodDataW], QStringLiteral("2001"));

    // An e-mail equal to the web page is written in full, or the page would be lost.
    item.dane[F::email] = QStringLiteral("qel.pl");
    tQelStream same;
    item.Store(same);
    EXPECT_TRUE(same.Data().contains(Str(QStringLiteral("qel.pl|qel.pl"))));
    tQelStream sameIn(same.Data());
    back.Load(sameIn);
    EXPECT_EQ(back.dane[F::email], QStringLiteral("qel.pl"));
    EXPECT_EQ(back.dane[F::www], QStringLiteral("qel.pl"));
}

TEST_F(Contacts, ReadingRules)
{
    struct Case {
        const char* name;
        const char* id;
        const char* nazwa;
        const char* imie;
        const char* firma;
        const char* wantId;
        const char* wantNazwa;
        const char* wantImie;
        const char* wantFirma;
    } cases[] = {
        {"one space goes to the person", "", "Jan Kowalski", "", "", "JanKowalski", "Jan Kowalski", "Jan Kowalski", ""},
        {"long letters are shortened", "", "Grzegorz Brzęczyszczykiewicz", "", "", "Grzego…",
         "Grzegorz Brzęczyszczykiewicz", "Grzegorz Brzęczyszczykiewicz", ""},
        {"three words go to the company", "X1", "Biuro Rachunkowe Ala", "", "", "X1", "Biuro Rachunkowe Ala", "",
         "Biuro Rachunkowe Ala"},
        {"empty name takes the company", "F", "", "Anna Nowak", "Nowak i S-ka", "F", "Nowak i S-ka", "Anna Nowak",
         "Nowak i S-ka"},
        {"then the person", "P", "", "Anna Nowak", "", "P", "Anna Nowak", "Anna Nowak", ""},
        {"all empty stays empty", "", "", "", "", "", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tQelItem item;
        item.dane[F::Id] = QString::fromUtf8(c.id);
        item.dane[F::Nazwa] = QString::fromUtf8(c.nazwa);
        item.dane[F::ImieNazwisko] = QString::fromUtf8(c.imie);
        item.dane[F::Firma] = QString::fromUtf8(c.firma);
        tQelStream out;
        item.Store(out);
        tQelStream in(out.Data());
        tQelItem back;
        back.Load(in);
        EXPECT_EQ(back.dane[F::Id], QString::fromUtf8(c.wantId));
        EXPECT_EQ(back.dane[F::Nazwa], QString::fromUtf8(c.wantNazwa));
        EXPECT_EQ(back.dane[F::ImieNazwisko], QString::fromUtf8(c.wantImie));
        EXPECT_EQ(back.dane[F::Firma], QString::fromUtf8(c.wantFirma));
    }
}

TEST_F(Contacts, OldRecordWithFiscalBlockReadsAndIsWrittenBackWithoutIt)
{
    QByteArray old = QByteArray(1, '\0');
    old += Str(QStringLiteral("S")) + Str(QStringLiteral("Skarbnik")) + Str(QStringLiteral("Jan Skarbnik")) + Str(QString());
    for (int k = 4; k < 18; ++k)
        old += Str(k == 13 ? QStringLiteral("||") : QString());  // the triple is always joined
    old += EmptyGeneric();
    QByteArray reserved(234, '\0');
    for (int k = 0; k < 234; ++k)
        reserved[k] = static_cast<char>(k);
    old += Tail(1, 2, 1, 30, reserved);
    QByteArray fiscal;
    for (int k = 0; k < 41; ++k)
        fiscal += Str(k == 0 ? QStringLiteral("Skarbnik") : k == 2 ? QStringLiteral("Niemcy") : QStringLiteral("t%1").arg(k));
    fiscal += Raw(16000.0) + QByteArray(201, '\x7f');
    const QByteArray file = QByteArray::fromHex("010001000000b50f") + old + fiscal;

    tQelList list;
    tQelStream in(file);
    list.LoadFromStream(in);
    EXPECT_EQ(in.Remaining(), 0);
    auto* item = dynamic_cast<tQelItem*>(list.Get(0));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->skarbowe.Text(TSkarboweDane::Nazwisko), QStringLiteral("Skarbnik"));
    EXPECT_EQ(item->skarbowe.Text(TSkarboweDane::Kraj), QStringLiteral("Niemcy"));
    EXPECT_EQ(item->skarbowe.Text(40), QStringLiteral("t40"));
    EXPECT_EQ(item->skarbowe.dataUrodzenia, 16000.0);
    EXPECT_EQ(item->stalyTerminPlatnosci, 30);
    EXPECT_EQ(item->dane[F::ImieNazwisko], QStringLiteral("Jan Skarbnik"));

    tQelStream out;
    list.SaveToStream(out);
    QByteArray written = QByteArray::fromHex("010001000000b50f") + old;
    written[8 + old.size() - 234 - 5] = '\0';  // the has-fiscal-data byte
    EXPECT_EQ(out.Data(), written);

    tQelItem fresh;
    EXPECT_EQ(fresh.skarbowe.Text(TSkarboweDane::Kraj), QStringLiteral("Polska"));
    tQelItem set;
    set.skarbowe.SetText(TSkarboweDane::Gmina, QStringLiteral("Żabia Wola"));
    EXPECT_EQ(set.skarbowe.Text(TSkarboweDane::Kraj), QStringLiteral("Polska"));
    EXPECT_EQ(set.skarbowe.TabLine(), fresh.skarbowe.TabLine().replace(QStringLiteral("Polska\t\t\t\t"), QStringLiteral("Polska\t\t\tŻabia Wola\t")));
    EXPECT_FALSE(set.IsEqual(&fresh));
}

TEST_F(Contacts, ExportsAndTabLine)
{
    tQelItem item;
    item.dane = FullDane();
    const QStringList title = item.ExportTitleString(u';').split(u';');
    ASSERT_EQ(title.size(), 55 + 25 + 2);
    EXPECT_EQ(title[55], QStringLiteral("id"));
    EXPECT_EQ(title[55 + 24], QStringLiteral("dowodDataW"));
    EXPECT_EQ(title[55 + 25], QString());
    const QStringList values = item.ExportString(u';').split(u';');
    ASSERT_EQ(values.size(), 82);
    EXPECT_EQ(values[55 + 18], QStringLiteral("skr. poczt. 12"));
    EXPECT_EQ(values[55 + 22], QStringLiteral("EL 12345"));
    EXPECT_TRUE(item.ExportString(u';').endsWith(QStringLiteral("1999-05-01;;")));

    const QString tab = item.dane.TabLine();
    EXPECT_EQ(tab.count(u'\t'), 21);
    EXPECT_TRUE(tab.startsWith(QStringLiteral("ŻUK\tPrzedsiębiorstwo Żuk\tJózef Żuk\t")));
    EXPECT_TRUE(tab.endsWith(QStringLiteral("\tŁódź\twww.zuk.pl")));
    TDane parsed;
    parsed.ParseTabLine(tab);
    EXPECT_EQ(parsed.TabLine(), tab);
    EXPECT_EQ(parsed[F::samochod], QString());
    parsed.ParseTabLine(QStringLiteral("a\tb"));
    EXPECT_EQ(parsed[F::Nazwa], QStringLiteral("b"));
    EXPECT_EQ(parsed[F::www], QString());
    parsed.ParseTabLine(tab + QStringLiteral("\r\n"));
    EXPECT_EQ(parsed[F::www], QStringLiteral("www.zuk.pl"));
}

TEST_F(Contacts, EqualityAssignAndEmptiness)
{
    tQelItem a, b;
    a.dane = FullDane();
    b.Assign(&a);
    b.dane[F::Miasto] = QStringLiteral("ŁÓDŹ");
    EXPECT_TRUE(b.IsEqual(&a));
    b.reserved[0] = 1;
    EXPECT_TRUE(b.IsEqual(&a));  // the reserved block takes no part
    b.stalyRabat = 1;
    EXPECT_FALSE(b.IsEqual(&a));
    TqelGenericItem plain;
    EXPECT_FALSE(a.IsEqual(&plain));

    TDane d;
    EXPECT_TRUE(d.IsEmpty());
    d[F::samochod] = QStringLiteral("WA 1");
    EXPECT_TRUE(d.IsEmpty());
    d[F::komorka] = QStringLiteral("1");
    EXPECT_FALSE(d.IsEmpty());
}

TEST_F(Contacts, PresentationTexts)
{
    TDane firm = FullDane();
    TDane person;
    person[F::Id] = QStringLiteral("JK");
    person[F::Nazwa] = QStringLiteral("Jan Kowalski");
    person[F::ImieNazwisko] = QStringLiteral("Jan Kowalski");
    person[F::Adres] = person[F::AdresWysylki] = QStringLiteral("Polna 1");
    person[F::Kod] = person[F::KodWysylki] = QStringLiteral("00-950");
    person[F::Miasto] = person[F::MiastoWysylki] = QStringLiteral("Warszawa");
    person[F::PEsel] = QStringLiteral("44051401359");

    EXPECT_EQ(AddressBlock(person, {}),
              QStringLiteral("<textfont></i><b>Jan Kowalski</b><br>Polna 1, 00-950 Warszawa<br>PESEL: 44051401359<br><textfont>"));
    EXPECT_EQ(AddressBlock(firm, {false, true, true}),
              QStringLiteral("<textfont></i><b>Przedsiębiorstwo Żuk</b><br>ul. Łąkowa 5, 90-001 Łódź<br>"
                             "adres do korespondencji: skr. poczt. 12, 90-001 Łódź<br>"
                             "<b>adres dostawy: skr. poczt. 12, 90-001 Łódź</b><br>"
                             "NIP: 725-000-11-22  –  REGON: 471234567<br>"
                             "<opisfont>telefon: 42 630 00 00  –  faks: 42 630 00 01  –  e-mail: biuro@zuk.pl<br>"
                             "<textfont>konto: 10 1020 3040 (PKO BP)"));
    EXPECT_EQ(AddressBlock(firm, {true, false, false}),
              QStringLiteral("<fakturatextfont></i><b>Przedsiębiorstwo Żuk</b><br>ul. Łąkowa 5, 90-001 Łódź<br>"
                             "NIP: 725-000-11-22  –  REGON: 471234567<br><fakturatextfont>konto: 10 1020 3040 (PKO BP)"
                             "<fakturaopisfont>numer rejestracyjny pojazdu: <fakturatextfont>EL 12345"));
    EXPECT_EQ(AddressBlock(TDane{}, {}), QStringLiteral("-"));

    EXPECT_EQ(ContactSummary(person), QStringLiteral("JK: <b>Jan Kowalski</b><br>Polna 1, 00-950 <b>Warszawa</b>"));
    EXPECT_EQ(ContactSummary(firm),
              QStringLiteral("<b>ŻUK</b>: Józef Żuk, <b>Przedsiębiorstwo Żuk</b> Żuk sp. z o.o.<br>ul. Łąkowa 5, 90-001 "
                             "<b>Łódź</b><br>adres do korespondencji: skr. poczt. 12, 90-001 Łódź<br><b>725-000-11-22</b>"
                             "<br>email: <a href=\"mailto:biuro@zuk.pl\">biuro@zuk.pl</a>"));
    EXPECT_EQ(ContactDetails(person), QString());
    EXPECT_EQ(ContactDetails(firm),
              QStringLiteral("<br>email: <a href=\"mailto:biuro@zuk.pl\">biuro@zuk.pl</a><br>konto: 10 1020 3040 w PKO BP"
                             "<br>telefon: 42 630 00 00, faks: 42 630 00 01, komórka: 601 000 000"));
    EXPECT_EQ(OneLineSummary(person), QStringLiteral("(JK) Jan Kowalski • Polna 1, 00-950 Warszawa •  "));
    EXPECT_EQ(ShortAddress(person), QStringLiteral("Polna 1, 00-950 Warszawa"));
    EXPECT_EQ(ShortAddress(TDane{}), QString());
    EXPECT_EQ(EnvelopeAddress(firm),
              QStringLiteral("Józef Żuk<br>Żuk sp. z o.o.<br>ul. Łąkowa 5<br><b>90-001 Łódź</b>"));
    EXPECT_EQ(TabSummary(person), QStringLiteral("Jan Kowalski\t\tPolna 1\t00-950\tWarszawa\t\t\t\t\t\t"));

    person[F::Firma] = QStringLiteral("Kowalski Usługi");  // PESEL is left out for a company
    EXPECT_FALSE(AddressBlock(person, {}).contains(QStringLiteral("PESEL")));

    // An account without a bank, a record without an address, a fax alone.
    TDane bare;
    bare[F::Nazwa] = QStringLiteral("Zakład Śląski");
    bare[F::Konto] = QStringLiteral("55 1111");
    bare[F::faks] = QStringLiteral("32 100");
    EXPECT_EQ(AddressBlock(bare, {}), QStringLiteral("<textfont></i><b>Zakład Śląski</b><br><opisfont>faks: 32 100<br>"
                                                     "<textfont>konto: 55 1111"));
    EXPECT_EQ(ContactDetails(bare), QStringLiteral("<br>konto: 55 1111<br>faks: 32 100"));
}

TEST_F(Contacts, DefaultElementAndSortComparison)
{
    tQelList list;
    EXPECT_EQ(DefaultElement(list, true), nullptr);
    for (const char* town : {"Łódź", "lublin", "Zabrze"}) {
        auto* item = new tQelItem;
        item->dane[F::Miasto] = QString::fromUtf8(town);
        list.Add(item);
    }
    auto at = [&](int k) { return dynamic_cast<tQelItem*>(list.Get(k)); };
    EXPECT_EQ(DefaultElement(list, true), at(0));
    EXPECT_EQ(DefaultElement(list, false), nullptr);
    at(2)->domyslny = true;
    EXPECT_EQ(DefaultElement(list, false), at(2));

    EXPECT_LT(CompareContacts(at(1), at(0), 6), 0);  // l before ł
    EXPECT_LT(CompareContacts(at(0), at(2), 6), 0);
    at(1)->dane[F::Miasto] = QStringLiteral("ŁÓDŹ");
    EXPECT_EQ(CompareContacts(at(0), at(1), 6), 0);
    EXPECT_EQ(CompareContacts(at(0), at(2), 18), 0);
    EXPECT_EQ(CompareContacts(nullptr, at(2), 6), 0);
}

TEST_F(Contacts, FirstStartCreatesBothFilesAndRecordsTheirPaths)
{
    ScratchHome home("2002-12-21T10:00:00");
    qel::ScriptedPrompts script;
    QStringList notes;
    qel::SetProgressSink({[&](const QString& text) { notes.append(text); }, {}, {}});
    OpenContactDatabases();
    qel::SetProgressSink({});
    ASSERT_FALSE(notes.isEmpty());  // the file searches add their own notes after it
    EXPECT_EQ(notes[0], QStringLiteral("Odczytuję bazy użytkowników i kontrahentów..."));
    ASSERT_EQ(script.asked().size(), 2);
    const QString users = qel::WithTrailingSlash(qel::ProgramFolder()) + QStringLiteral("Użytkownicy.dat");
    const QString contractors = qel::WithTrailingSlash(qel::ProgramFolder()) + QStringLiteral("Kontrahenci.dat");
    EXPECT_TRUE(script.asked()[0].text.startsWith(users + QStringLiteral(": Nie powiodła się")));
    EXPECT_TRUE(script.asked()[1].text.startsWith(contractors));
    EXPECT_EQ(ReadFileBytes(users), QByteArray::fromHex("000000000000"));
    EXPECT_EQ(ReadFileBytes(contractors), QByteArray::fromHex("000000000000"));
    EXPECT_EQ(qel::RegReadValue(qel::kHiveCurrentUser, QStringLiteral("Software\\QEL\\ścieżki"),
                                QStringLiteral("tts_Uzytkownicy")), users);
    EXPECT_EQ(qel::RegReadValue(qel::kHiveCurrentUser, QStringLiteral("Software\\QEL\\ścieżki"),
                                QStringLiteral("tts_Kontrahenci")), contractors);
    EXPECT_EQ(qel::FindOpenDatabase(qel::dbContractors), &Kontrahenci());
    EXPECT_EQ(Uzytkownicy().fileName, users);
}

}  // namespace
