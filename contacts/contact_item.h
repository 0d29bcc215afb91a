#pragma once

#include "core/generic_items.h"

#include <array>

// The contact record of the users and contractors databases (type 4021), shared
// byte for byte with the family's other programs.

// Contact data: 26 strings; field 0 is reserved and never stored or shown.
struct TDane {
    enum Field : int {
        Id = 1, Nazwa, ImieNazwisko, Firma, Adres, Kod, Miasto, AdresWysylki, KodWysylki, MiastoWysylki,
        Bank, Konto, NIP, Regon, PEsel, Paszport, samochod, Dowod, dowodWystawca, dowodDataW,
        email, www, telefon, faks, komorka,
    };
    static constexpr int kFieldCount = 26;

    std::array<QString, kFieldCount> f{};

    QString& operator[](Field field) { return f[field]; }
    const QString& operator[](Field field) const { return f[field]; }

    // The stored form: 18 strings with the pairs and the triple joined by "|".
    void Load(tQelStream& stream);  // applies the reading rules
    void Store(tQelStream& stream) const;

    // The 25 values in export order, each followed by the separator.
    QString ExportString(QChar separator) const;
    static QString ExportTitleString(QChar separator);

    // 22 fields joined by TAB (the table window's import and export).
    QString TabLine() const;
    void ParseTabLine(const QString& line);

    bool IsEmpty() const;  // fields 1-25 empty, samochod not counted
    bool HasCorrespondenceAddress() const;
};

// The legacy fiscal record of a taxpayer; only old files carry it.
struct TSkarboweDane {
    enum Text : int {
        Nazwisko = 0, Imie, Kraj, Wojewodztwo, Powiat, Gmina, Ulica, NrDomu, NrLokalu, Miejscowosc, KodPocztowy,
        Poczta,
    };
    static constexpr int kTextCount = 41;

    TDateTime dataUrodzenia = 0;

    // Text k of the record; a cleared record is empty but for the country "Polska".
    QString Text(int k) const;
    void SetText(int k, const QString& text);
    void Clear();
    void LoadLegacy(tQelStream& stream);  // 41 strings, the date, 201 skipped bytes
    QString TabLine() const;

private:
    // Left empty until the record holds anything: most contacts never do, and
    // a file has tens of thousands of them.
    QStringList texts_;
};

class tQelItem : public TqelGenericItem {
public:
    QEL_CLASS(tQelItem)

    static constexpr int kReservedSize = 234;

    bool domyslny = false;     // the default record of its database
    qint32 stalyRabat = 0;
    qint32 stalaMarza = 0;
    qint32 stalyTerminPlatnosci = 0;  // days; 0 none
    std::array<char, kReservedSize> reserved{};  // kept as read, never interpreted
    TDane dane;
    TSkarboweDane skarbowe;

    void Load(tQelStream& stream) override;
    void Store(tQelStream& stream) const override;
    QString ExportString(QChar separator) const override;
    QString ExportTitleString(QChar separator) const override;
    void Assign(const TqelGenericItem* other) override;
    bool IsEqual(const TqelGenericItem* other) const override;
};

void RegisterContactClasses();  // tQelItem as 4021

// Presentation texts in the document mark-up.
struct AddressBlockFlags {
    bool invoiceFonts = false;
    bool correspondence = false;
    bool delivery = false;
};
QString AddressBlock(const TDane& d, AddressBlockFlags flags);
QString ContactSummary(const TDane& d);
QString ContactDetails(const TDane& d);
QString OneLineSummary(const TDane& d);
QString ShortAddress(const TDane& d);
QString EnvelopeAddress(const TDane& d);
QString TabSummary(const TDane& d);

// The first record marked default; else, when asked, the first record; else none.
tQelItem* DefaultElement(tQelList& database, bool fallBackToFirst);

// Sort comparison by key 0-17 (id, Nazwa, ImieNazwisko, Firma, Adres, Kod, Miasto,
// Bank, Konto, NIP, Regon, PEsel, Paszport, Dowod, email, telefon, faks,
// komorka): Polish case-insensitive order; a missing record or another key is equal.
int CompareContacts(const tQelItem* a, const tQelItem* b, int key);
