#include "text/identifiers.h"


#include <gtest/gtest.h>

namespace {

TEST(IdentifierChecks, Cases)
{
    using Check = bool (*)(const QString&);
    const struct { Check check; const char* name; const char* text; bool valid; } cases[] = {
        {IsValidNip, "NIP", "123-456-32-18", true},
        {IsValidNip, "NIP", "526-000-12-46", true},
        {IsValidNip, "NIP", "PL 526-000-12-46", true},
        {IsValidNip, "NIP", "526 000 12 46", true},
        {IsValidNip, "NIP", "52600012460", true},       // an eleventh digit is ignored
        {IsValidNip, "NIP", "526-000-12-47", false},
        {IsValidNip, "NIP", "526-000-12-4", false},
        {IsValidNip, "NIP", "", false},
        {IsValidNip, "NIP", "PL", false},
        {IsValidNip, "NIP", "100-000-01-60", false},     // sum leaves 10 mod 11: never issued
        {IsValidNip, "NIP", "100-000-01-61", false},
        {IsValidRegon, "REGON", "123 456 785", true},
        {IsValidRegon, "REGON", "123 456 786", false},
        {IsValidRegon, "REGON", "12345678", false},
        {IsValidRegon, "REGON", "", false},
        {IsValidRegon, "REGON", "1234567856", true},      // ten digits: the nine-digit rule
        {IsValidRegon, "REGON", "12345678512347", true},  // 14 digits, both checks hold
        {IsValidRegon, "REGON", "123-456-78-5-1234-7", true},
        {IsValidRegon, "REGON", "12345678512348", false}, // the 14-digit check fails
        {IsValidRegon, "REGON", "12345678612347", false}, // the check of the first nine fails
        {IsValidPesel, "PESEL", "800 101 123 40", true},
        {IsValidPesel, "PESEL", "80010112341", false},
        {IsValidPesel, "PESEL", "44051401359", true},
        {IsValidPesel, "PESEL", "44051401358", false},
        {IsValidPesel, "PESEL", "8001011234", false},
        {IsValidPesel, "PESEL", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.check(QString::fromUtf8(c.text)), c.valid) << c.name << " " << c.text;
}

}  // namespace
