#include "core/database_dump.h"
#include "core/generic_items.h"
#include "core/interaction.h"
#include "platform/cp1250.h"
#include "scratch_home.h"

#include <gtest/gtest.h>

#include <QFile>

#include <memory>

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

class ObjectModel : public ::testing::Test {
protected:
    void SetUp() override { qel::RegisterPersistentClasses(); }
};

TqelGenericItem* PolishItem(const QString& name)
{
    auto* item = new TqelGenericItem;
    item->g.s[0] = name;
    item->g.s[10] = QStringLiteral("Łódź, ul. Źródlana 5");
    item->g.i[3] = -7;
    item->g.c[1] = Money::FromUnits(1234567);  // 123,4567 zł
    item->g.b[10] = 1;
    item->g.d[0] = 37611.5;
    return item;
}

TEST_F(ObjectModel, StringEncodings)
{
    struct Case {
        QByteArray text;
        QByteArray head;  // the bytes in front of the text
    } cases[] = {
        {QByteArray(), Hex("0000")},
        {QByteArray("a"), Hex("0100")},
        {QByteArray(30000, 'x'), Hex("3075")},
        {QByteArray(30001, 'x'), Hex("ffff31750000")},
        {QByteArray(70000, 'y'), Hex("ffff70110100")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.size());
        tQelStream out;
        out.WriteBytes(c.text);
        EXPECT_EQ(out.Data(), c.head + c.text);
        tQelStream pchar;
        pchar.WritePChar(c.text.constData());
        EXPECT_EQ(pchar.Data(), out.Data());
        tQelStream in(out.Data());
        const auto read = in.ReadPChar();
        EXPECT_EQ(read.has_value(), !c.text.isEmpty());
        EXPECT_EQ(read.value_or(QByteArray()), c.text);
        EXPECT_EQ(in.Remaining(), 0);
    }
    tQelStream absent;
    absent.WritePChar(nullptr);
    EXPECT_EQ(absent.Data(), Hex("0000"));

    tQelStream polish;
    polish.WriteString(QStringLiteral("Żółć"));
    EXPECT_EQ(polish.Data(), Hex("0400aff3b3e6"));
    tQelStream back(polish.Data());
    EXPECT_EQ(back.ReadString(), QStringLiteral("Żółć"));

    // A negative length other than -1 stands for "none" and consumes nothing more.
    tQelStream odd(Hex("feff41"));
    EXPECT_FALSE(odd.ReadPChar().has_value());
    EXPECT_EQ(odd.Remaining(), 1);
}

TEST_F(ObjectModel, EmptyGenericItemAndListHeaders)
{
    TqelGenericItem empty;
    tQelStream one;
    empty.Store(one);
    EXPECT_EQ(one.Data(), QByteArray(253, '\0'));

    tQelList list;
    for (int k = 0; k < 3; ++k)
        list.Add(new TqelGenericItem);
    tQelStream normal;
    list.SaveToStream(normal);
    ASSERT_EQ(normal.Size(), 6 + 3 * 255);
    EXPECT_TRUE(normal.Data().startsWith(Hex("030003000000c702")));
    EXPECT_EQ(normal.Data().mid(8, 253), QByteArray(253, '\0'));
    EXPECT_EQ(normal.Data().mid(261, 2), Hex("c702"));

    tQelStream wide;
    wide.wideCounts = true;
    list.SaveToStream(wide);
    EXPECT_TRUE(wide.Data().startsWith(Hex("03000000" "04000000" "00000000" "c702")));
    tQelList wideBack;
    tQelStream wideIn(wide.Data());
    wideIn.wideCounts = true;
    wideBack.LoadFromStream(wideIn);
    EXPECT_EQ(wideBack.Count(), 3);
    EXPECT_EQ(wideIn.Remaining(), 0);

    tQelSortedList sorted;
    sorted.Add(nullptr);
    tQelStream s;
    sorted.SaveToStream(s);
    EXPECT_EQ(s.Data(), Hex("010001000000" "0000" "01"));
    sorted.sortedFlag = 0;
    tQelStream in(s.Data());
    sorted.LoadFromStream(in);
    EXPECT_EQ(sorted.sortedFlag, 1);
    EXPECT_EQ(sorted.Count(), 2);
    EXPECT_EQ(sorted.Get(1), nullptr);
}

TEST_F(ObjectModel, RegistryNumbersAndMessages)
{
    EXPECT_EQ(qel::FindQelTypeNumber(QStringLiteral("tQelList")), 50);
    EXPECT_EQ(qel::QelClassNameOf(100), QStringLiteral("tQelList"));
    EXPECT_EQ(qel::FindQelTypeNumber(QStringLiteral("tQelBigItem")), 714);
    try {
        qel::RegisterQelClass<tQelBigItem>(711);
        FAIL();
    } catch (const EqelException& e) {
        EXPECT_EQ(e.message(), QStringLiteral("201: Identyfikator \"tQelBigItem\" jest już w użyciu."));
    }
    EXPECT_EQ(qel::QelClassNameOf(711), QStringLiteral("TqelGenericItem"));

    tQelStream unknown(Hex("39300000"));
    try {
        delete unknown.ReadObject();
        FAIL();
    } catch (const EqelException& e) {
        EXPECT_EQ(e.message(), QStringLiteral("202: Próba obsługi niezarejestrowanego typu numer 12345."));
    }

    // A list inside a list is written as 50 and 100 reads as the same class.
    tQelList outer;
    outer.Add(new tQelList);
    tQelStream out;
    outer.SaveToStream(out);
    EXPECT_EQ(out.Data(), Hex("010001000000" "3200" "000000000000"));
    tQelStream in(Hex("010001000000" "6400" "000000000000"));
    tQelList back;
    back.LoadFromStream(in);
    EXPECT_NE(dynamic_cast<tQelList*>(back.Get(0)), nullptr);
}

TEST_F(ObjectModel, WritingAnUnregisteredClassFails)
{
    struct Unregistered : tQelObject {
        QString ClassName() const override { return QStringLiteral("TObcy"); }
    } stranger;
    qel::ScriptedPrompts script;
    tQelStream out;
    EXPECT_THROW(out.WriteObject(&stranger), EqelException);
    ASSERT_EQ(script.asked().size(), 1);
    EXPECT_TRUE(script.asked()[0].text.startsWith(QStringLiteral("202: ")));
}

TEST_F(ObjectModel, RoundTripOfEveryItemClassWithPolishText)
{
    auto* generic = PolishItem(QStringLiteral("Zażółć gęślą jaźń"));
    auto* big = new tQelBigItem;
    big->g.s[0] = QStringLiteral("Wielki");
    big->extra.s[30] = QStringLiteral("ĄĘŚĆ");
    big->extra.c[30] = Money::FromUnits(-50);
    big->extra.d[0] = 1.25;
    auto* mega = new tQelMegaItem;
    mega->extra.s[250] = QStringLiteral("źdźbło");
    mega->extra.i[250] = 2147483647;
    mega->extra.b[0] = 1;
    ScratchHome home;
    const QString path = home.file(QStringLiteral("baza.dat"));
    {
        tQelList list;
        list.Add(generic);
        list.Add(big);
        list.Add(mega);
        ASSERT_TRUE(list.SaveToFile(path, false));
        const QByteArray bytes = ReadFileBytes(path);
        EXPECT_TRUE(bytes.contains(qel::EncodeCp1250(QStringLiteral("Zażółć gęślą jaźń"))));
        EXPECT_TRUE(bytes.contains(Hex("bf")));  // ż in Windows-1250
        EXPECT_FALSE(bytes.contains(QStringLiteral("ż").toUtf8()));

        tQelList back;
        ASSERT_TRUE(back.LoadFromFile(path, false));
        ASSERT_EQ(back.Count(), 3);
        const auto* g2 = dynamic_cast<TqelGenericItem*>(back.Get(0));
        const auto* b2 = dynamic_cast<tQelBigItem*>(back.Get(1));
        const auto* m2 = dynamic_cast<tQelMegaItem*>(back.Get(2));
        ASSERT_TRUE(g2 && b2 && m2);
        EXPECT_TRUE(g2->IsEqual(generic));
        EXPECT_TRUE(b2->IsEqual(big));
        EXPECT_TRUE(m2->IsEqual(mega));
        EXPECT_EQ(m2->extra.s[250], QStringLiteral("źdźbło"));
        tQelStream again;
        back.SaveToStream(again);
        EXPECT_EQ(again.Data(), bytes);
    }
}

TEST_F(ObjectModel, BigItemExportHas210Columns)
{
    tQelBigItem item;
    item.g.s[0] = QStringLiteral("a");
    item.extra.d[30] = qel::ToDateTime(QDate(2002, 12, 21));
    const QString title = item.ExportTitleString(u'\t');
    const QStringList names = title.split(u'\t');
    ASSERT_EQ(names.size(), 211);  // each name is followed by the separator
    EXPECT_EQ(names.last(), QString());
    EXPECT_EQ(names[0], QStringLiteral("s0"));
    EXPECT_EQ(names[54], QStringLiteral("d10"));
    EXPECT_EQ(names[55], QStringLiteral("Bs0"));
    EXPECT_EQ(names[209], QStringLiteral("Bd30"));
    const QStringList values = item.ExportString(u'\t').split(u'\t');
    ASSERT_EQ(values.size(), 211);
    EXPECT_EQ(values[0], QStringLiteral("a"));
    EXPECT_EQ(values[209], QStringLiteral("2002-12-21"));

    tQelMegaItem mega;
    EXPECT_EQ(mega.ExportTitleString(u';').count(u';'), 55 + 5 * 251);
    EXPECT_TRUE(mega.ExportTitleString(u';').endsWith(QStringLiteral("Md250;")));
}

TEST_F(ObjectModel, ExportValues)
{
    struct Case {
        qint64 money;
        const char* text;
    } money[] = {
        {0, ""}, {123450, "12,35"}, {123449, "12,34"}, {-123450, "-12,34"}, {50000, "5"},
        {10000000050LL, "1000000,005"}, {1, ""}, {-50, ""}, {1234567, "123,46"},
    };
    for (const auto& c : money) {
        TqelGenericItem one;
        one.g.c[4] = Money::FromUnits(c.money);
        EXPECT_EQ(one.ExportString(u';').section(u';', 26, 26), QString::fromUtf8(c.text)) << c.money;
    }

    std::unique_ptr<TqelGenericItem> item(PolishItem(QStringLiteral("x")));
    item->g.s[1] = QStringLiteral("dwie\r\nlinie");
    const QStringList values = item->ExportString(u';').split(u';');
    EXPECT_EQ(values[1], QStringLiteral("dwie\r\nlinie"));
    EXPECT_EQ(values[11 + 3], QStringLiteral("-7"));
    EXPECT_EQ(values[11 + 0], QString());
    EXPECT_EQ(values[22 + 1], QStringLiteral("123,46"));
    EXPECT_EQ(values[33 + 10], QStringLiteral("tak"));
    EXPECT_EQ(values[33 + 9], QString());
    EXPECT_EQ(values[44], QStringLiteral("2002-12-21"));

    QString tabLine = QStringLiteral("a\r\nb\r\n");
    item->NormalizeExportString(tabLine, u'\t');
    EXPECT_EQ(tabLine, QStringLiteral("a|b|"));
    QString other = QStringLiteral("a\r\nb");
    item->NormalizeExportString(other, u';');
    EXPECT_EQ(other, QStringLiteral("a\tb"));
}

TEST_F(ObjectModel, AssignAndIsEqual)
{
    std::unique_ptr<TqelGenericItem> a(PolishItem(QStringLiteral("Kowalski")));
    TqelGenericItem b;
    b.skip = true;
    b.Assign(a.get());
    EXPECT_TRUE(b.skip);
    EXPECT_TRUE(b.IsEqual(a.get()));
    b.g.s[0] = QStringLiteral("KOWALSKI");
    EXPECT_TRUE(b.IsEqual(a.get()));
    b.g.d[0] += 1e-9;
    EXPECT_FALSE(b.IsEqual(a.get()));
    EXPECT_FALSE(b.IsEqual(nullptr));
    b.Assign(nullptr);
    EXPECT_TRUE(b.IsEqual(std::make_unique<TqelGenericItem>().get()));

    tQelBigItem big;
    big.Assign(a.get());
    EXPECT_EQ(big.g.s[0], QStringLiteral("Kowalski"));
    EXPECT_FALSE(big.IsEqual(a.get()));  // a plain item lacks the big arrays
}

TEST_F(ObjectModel, SkippedItemsAreNeitherWrittenNorCounted)
{
    tQelList list;
    list.Add(new TqelGenericItem);
    auto* skipped = new TqelGenericItem;
    skipped->skip = true;
    list.Add(skipped);
    tQelStream out;
    list.SaveToStream(out);
    EXPECT_EQ(out.Size(), 6 + 255);
    EXPECT_TRUE(out.Data().startsWith(Hex("010001000000")));
}

TEST_F(ObjectModel, NormalHeaderRefusesTooManyItemsBeforeWriting)
{
    tQelList list;
    for (int k = 0; k <= tQelList::kMaxNormalCount; ++k)
        list.Add(nullptr);
    tQelStream out;
    out.WriteValue<quint8>(9);
    EXPECT_THROW(list.SaveToStream(out), EqelException);
    EXPECT_EQ(out.Size(), 1);
    list.wideCounts = true;
    tQelStream wide;
    list.SaveToStream(wide);
    EXPECT_EQ(wide.Size(), 12 + 2 * 32768);
    list.wideCounts = false;
    list.Delete(0);
    tQelStream normal;
    list.SaveToStream(normal);
    EXPECT_TRUE(normal.Data().startsWith(Hex("ff7fff7f0000")));
}

TEST_F(ObjectModel, BadInputEndsInExceptionAndKeepsWhatWasRead)
{
    tQelList two;
    two.Add(PolishItem(QStringLiteral("pierwszy")));
    two.Add(PolishItem(QStringLiteral("drugi")));
    tQelStream good;
    two.SaveToStream(good);
    const QByteArray file = good.Data();
    const qsizetype firstEnd = 6 + (file.size() - 6) / 2;

    QByteArray hugeString = Hex("010001000000c702ffff0000ff7f");
    hugeString.append(QByteArray(100 - hugeString.size(), 'z'));
    QByteArray wrongLength = file.left(firstEnd + 2);
    wrongLength.append(Hex("3075") + QByteArray(10, 'q'));
    QByteArray nested;
    for (int k = 0; k < 1000; ++k)
        nested += Hex("0100010000003200");

    struct Case {
        const char* name;
        QByteArray bytes;
        int itemsKept;
    } cases[] = {
        {"empty file", QByteArray(), 0},
        {"half a header", Hex("0300"), 0},
        {"truncated in the second item", file.left(file.size() - 7), 1},
        {"length beyond the data", wrongLength, 1},
        {"negative count", Hex("fdfffdff0000"), 0},
        {"unknown type number", file.left(firstEnd) + Hex("4f1a"), 1},
        {"2 GB string in 100 bytes", hugeString, 0},
        {"nesting without end", nested, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tQelList list;
        tQelStream in(c.bytes);
        try {
            list.LoadFromStream(in);
            ADD_FAILURE() << "no exception";
        } catch (const EqelException& e) {
            EXPECT_FALSE(e.message().isEmpty());
        }
        ASSERT_EQ(list.LoadedCount(), c.itemsKept);
        if (c.itemsKept) {
            EXPECT_EQ(dynamic_cast<TqelGenericItem*>(list.Get(0))->g.s[0], QStringLiteral("pierwszy"));
        }
    }
}

TEST_F(ObjectModel, ListOperations)
{
    tQelList list;
    for (const char* name : {"a", "b", "c", "b"})
        list.Add(PolishItem(QString::fromUtf8(name)));
    list.Add(new tQelList);
    auto nameIs = [](const char* name) {
        return [name](qel::Persistent* p) {
            auto* item = dynamic_cast<TqelGenericItem*>(p);
            return item && item->g.s[0] == QString::fromUtf8(name);
        };
    };
    EXPECT_EQ(list.FirstThat(nameIs("b"), 0), list.Get(1));
    EXPECT_EQ(list.FirstThat(nameIs("b"), 1), list.Get(3));
    EXPECT_EQ(list.FirstThat(nameIs("b"), 2), nullptr);
    EXPECT_EQ(list.FirstThat(nameIs("z"), 0), nullptr);
    int calls = 0;
    auto countB = [](void* data, qel::Persistent* p) {
        auto* item = dynamic_cast<TqelGenericItem*>(p);
        return item && item->g.s[0] == QStringLiteral("b") && ++*static_cast<int*>(data) > 1;
    };
    EXPECT_EQ(list.FirstThatData(0, countB, &calls), list.Get(3));

    QString order;
    list.ForEach([&](qel::Persistent* p) {
        if (auto* item = dynamic_cast<TqelGenericItem*>(p))
            order += item->g.s[0];
    }, 1);
    EXPECT_EQ(order, QStringLiteral("bcba"));
    int visited = 0;
    list.ForEachData(0, [](void* data, qel::Persistent*) { ++*static_cast<int*>(data); }, &visited);
    EXPECT_EQ(visited, 5);

    EXPECT_TRUE(list.HasDuplicate(list.Get(1)));
    EXPECT_FALSE(list.HasDuplicate(list.Get(0)));
    EXPECT_FALSE(list.HasDuplicate(list.Get(4)));

    EXPECT_NE(list.ObjectAt(0), nullptr);
    EXPECT_EQ(list.ObjectAt(4), nullptr);  // a list is no record
    EXPECT_EQ(list.ObjectAt(5), nullptr);
    EXPECT_EQ(list.ObjectAt(-1), nullptr);
    EXPECT_THROW(list.Get(5), EqelException);
    EXPECT_THROW(list.Put(-1, nullptr), EqelException);
    list.Put(4, PolishItem(QStringLiteral("e")));
    EXPECT_EQ(list.FirstThat(nameIs("e"), 0), list.Get(4));
    list.FreeAll();
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(ObjectModel, InvalidatedListReadsItsFileAgain)
{
    ScratchHome home;
    const QString path = home.file(QStringLiteral("lista.dat"));
    tQelList list;
    list.Add(PolishItem(QStringLiteral("jeden")));
    ASSERT_TRUE(list.SaveToFile(path, false));
    list.fileName = path;
    list.Add(PolishItem(QStringLiteral("dwa")));
    list.Invalidate();
    EXPECT_EQ(list.LoadedCount(), 0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_FALSE(list.notLoaded);
}

TEST_F(ObjectModel, SingleItemFile)
{
    ScratchHome home;
    const QString path = home.file(QStringLiteral("jeden.dat"));
    TqelGenericItem item;
    EXPECT_FALSE(item.LoadFromFile(QString()));
    EXPECT_FALSE(item.LoadFromFile(path));
    EXPECT_EQ(ReadFileBytes(path), QByteArray(253, '\0'));  // created for next time

    std::unique_ptr<TqelGenericItem> full(PolishItem(QStringLiteral("Pszczółka")));
    ASSERT_TRUE(full->SaveToFile(path));
    EXPECT_TRUE(item.LoadFromFile(path));
    EXPECT_TRUE(item.IsEqual(full.get()));

    ASSERT_TRUE(WriteFileBytes(path, Hex("0500ab")));
    EXPECT_FALSE(item.LoadFromFile(path));
    EXPECT_EQ(ReadFileBytes(path), Hex("0500ab"));  // a damaged file is left alone
}

}  // namespace

namespace {

TEST_F(ObjectModel, DumpPrintsTitleThenOneLineAItem)
{
    tQelList list;
    auto* first = PolishItem(QStringLiteral("Wiersz\r\ndrugi"));
    list.Add(first);
    list.Add(nullptr);
    list.Add(PolishItem(QStringLiteral("trzeci")));
    tQelStream out;
    list.SaveToStream(out);

    QStringList lines;
    EXPECT_EQ(qel::DumpDatabase(out.Data(), lines), QString());
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("s0\ts1\t")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Wiersz|drugi\t")));
    EXPECT_EQ(lines[2], QString());
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("trzeci\t")));

    QStringList partial;
    const QString error = qel::DumpDatabase(out.Data().left(out.Size() - 3), partial);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(partial.size(), 3);  // title, the first item and the empty slot
}

}  // namespace
