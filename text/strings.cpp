#include "text/strings.h"

#include "platform/cp1250.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>

namespace {

// Character by character, so that positions in the copy match the original.
QString Upper(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        c = c.toUpper();
    return out;
}

QString Lower(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        c = c.toLower();
    return out;
}

bool IsLetter(QChar c) { return c.isLetter(); }
bool IsLetterOrDigit(QChar c) { return c.isLetter() || c.isDigit(); }

const QString kLineEnd = QStringLiteral("\r\n");

}  // namespace

QString ReplaceAllNoCase(const QString& find, const QString& replacement, const QString& text)
{
    if (find == replacement || find.isEmpty())
        return text;
    const QString upperFind = Upper(find);
    QString result = text;
    qsizetype p = Upper(result).indexOf(upperFind);
    while (p >= 0) {
        result.replace(p, find.size(), replacement);
        const qsizetype q = Upper(result).indexOf(upperFind);
        // A find met again inside the replacement just made ends the work, and
        // so does a text with no find left.
        if (q < 0 || q <= p + replacement.size() - find.size())
            break;
        p = q;
    }
    return result;
}

int PosNoCase(const QString& part, const QString& text)
{
    if (part.isEmpty())
        return 0;
    return static_cast<int>(Upper(text).indexOf(Upper(part)) + 1);
}

bool ContainsNoCase(const QString& part, const QString& text) { return PosNoCase(part, text) != 0; }

bool StartsWithNoCase(const QString& part, const QString& text) { return PosNoCase(part, text) == 1; }

bool EndsWithNoCase(const QString& part, const QString& text)
{
    return !part.isEmpty() && text.size() >= part.size() && SameTextNoCase(text.right(part.size()), part);
}

bool SameTextNoCase(const QString& a, const QString& b)
{
    return a == b || (a.size() == b.size() && Upper(a) == Upper(b));
}

int IndexStartingWith(const QStringList& list, const QString& part)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (StartsWithNoCase(part, list.at(i)))
            return static_cast<int>(i);
    }
    return -1;
}

int IndexContaining(const QStringList& list, const QString& part)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (ContainsNoCase(part, list.at(i)))
            return static_cast<int>(i);
    }
    return -1;
}

QString TagContent(const QString& text)
{
    const int open = PosNoCase(QStringLiteral("<z>"), text);
    const int close = PosNoCase(QStringLiteral("</z>"), text);
    if (open == 0 || close < open)
        return {};
    return text.mid(open + 2, close - open - 3);
}

QString TrimChar(const QString& text, QChar c)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == c)
        ++from;
    while (to > from && text.at(to - 1) == c)
        --to;
    return text.mid(from, to - from);
}

QString Shorten(int maxLength, const QString& text)
{
    if (maxLength <= 0 || text.size() <= maxLength)
        return text;
    QString out = text.left(maxLength);
    while (out.size() > maxLength / 2 && out.back() != u' ')
        out.chop(1);
    return out + QChar(0x2026);
}

int CountChar(QChar c, const QString& text) { return static_cast<int>(text.count(c)); }

QString NthField(const QString& separator, int n, const QString& text)
{
    if (n <= 0)
        return {};
    if (separator.isEmpty())
        return n == 1 ? text : QString();
    const QStringList fields = text.split(separator);
    return n <= fields.size() ? fields.at(n - 1) : QString();
}

QString NthEntryField(int n, const QString& text)
{
    if (n <= 0)
        return {};
    QString rest = text;
    for (int i = 1; i < n; ++i) {
        qsizetype cut = rest.indexOf(u'=');
        if (cut < 0)
            cut = rest.indexOf(u';');
        rest = cut < 0 ? QString() : rest.mid(cut + 1);
    }
    qsizetype end = 0;
    while (end < rest.size() && rest.at(end) != u';' && rest.at(end) != u'=')
        ++end;
    return rest.left(end);
}

QString CsvQuote(const QString& text)
{
    QString body = text;
    body.replace(kLineEnd, QStringLiteral(" "));
    body.replace(u'\r', u' ');
    body.replace(u'\n', u' ');
    body.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + body + u'"';
}

QString DigitsOnly(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            out += c;
    }
    return out;
}

QString LettersOnly(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (IsLetter(c))
            out += c;
    }
    return out;
}

QString SafeNameText(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (IsLetterOrDigit(c) || c == u' ' || c == u'-' || c == u'.' || c == u'_')
            out += c;
    }
    return out;
}

QString OneLineText(const QString& text)
{
    QString out = ReplaceAllNoCase(kLineEnd, QStringLiteral("<br>"), text);
    for (QChar& c : out) {
        if (c.unicode() < 32)
            c = u' ';
    }
    return out;
}

QString PadWith(QChar c, bool onTheLeft, int length, const QString& text)
{
    if (text.size() >= length)
        return text;
    const QString padding(length - text.size(), c);
    return onTheLeft ? padding + text : text + padding;
}

namespace {

bool StartsWithAbbreviation(const QString& lower)
{
    static const char* const kAbbreviations[] = {"ul. ", "pl. ", "al. ", "sp. ", "s. ", "św. ", "os. ", "oś. "};
    for (const char* abbreviation : kAbbreviations) {
        if (lower.startsWith(QString::fromUtf8(abbreviation)))
            return true;
    }
    return false;
}

bool IsRomanNumeral(const QString& upperWord)
{
    static const QRegularExpression kNumeral(QStringLiteral("^(XC|XL|L?X{0,3})(IX|IV|V?I{0,3})$"));
    return upperWord.size() > 1 && kNumeral.match(upperWord).hasMatch();
}

}  // namespace

QString ProperCase(const QString& text)
{
    QString out = Lower(text);
    const qsizetype n = out.size();
    const bool abbreviation = StartsWithAbbreviation(out);
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = out.at(i);
        const bool before = i > 0 && IsLetter(out.at(i - 1));
        if (i == 0 && abbreviation)
            continue;
        if (i == n - 2)
            continue;
        if (IsLetter(c) && before)
            continue;
        if ((c == u'w' || c == u'z') && !(i > 0 && IsLetterOrDigit(out.at(i - 1)))
            && !(i + 1 < n && IsLetterOrDigit(out.at(i + 1))))
            continue;
        out[i] = c.toUpper();
    }
    // Roman numerals stand as words of their own; inside a word ("Armii") the
    // letters are the word's.
    qsizetype i = 0;
    while (i < n) {
        if (!IsLetter(out.at(i))) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && IsLetter(out.at(end)))
            ++end;
        const QString word = Upper(out.mid(i, end - i));
        if (IsRomanNumeral(word))
            out.replace(i, end - i, word);
        i = end;
    }
    return out;
}

QString BufferToText(const QByteArray& buffer, qsizetype length)
{
    QString text = qel::DecodeCp1250(buffer.left(qBound<qsizetype>(0, length, buffer.size())));
    text.replace(QChar(0), u'\r');
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        out += text.at(i);
        // A CR already followed by its LF keeps it; a lone CR gets one.
        if (text.at(i) == u'\r' && !(i + 1 < text.size() && text.at(i + 1) == u'\n'))
            out += u'\n';
    }
    return out;
}

bool CopyToClipboard(const QString& text)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    QGuiApplication::clipboard()->setText(text);
    return true;
}
