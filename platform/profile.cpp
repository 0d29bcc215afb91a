#include "platform/profile.h"

#include "platform/atomic_file.h"
#include "platform/cp1250.h"
#include "platform/file_stamp.h"
#include "text/strings.h"

#include <QFile>
#include <QHash>

#include <optional>

namespace qel {

namespace {

struct Line {
    enum class Kind { Other, Section, Key };
    Kind kind = Kind::Other;
    QString text;   // as in the file
    QString name;   // section or key name, trimmed
    QString value;  // key value, untrimmed
};

Line Classify(const QString& text)
{
    Line line;
    line.text = text;
    const QString t = text.trimmed();
    if (t.startsWith(u'[')) {
        const qsizetype close = t.indexOf(u']');
        line.kind = Line::Kind::Section;
        line.name = t.mid(1, close < 0 ? -1 : close - 1).trimmed();
        return line;
    }
    const qsizetype eq = text.indexOf(u'=');
    if (eq > 0 && !t.startsWith(u';')) {
        line.name = text.left(eq).trimmed();
        if (!line.name.isEmpty()) {
            line.kind = Line::Kind::Key;
            line.value = text.mid(eq + 1);
        }
    }
    return line;
}

struct Lines {
    QList<Line> lines;
    bool readable = true;   // false: the file exists but could not be read
};

QHash<QString, std::pair<FileStamp, Lines>>& Cache()
{
    static QHash<QString, std::pair<FileStamp, Lines>> cache;
    return cache;
}

Lines Parse(const QByteArray& bytes)
{
    Lines result;
    QString text = DecodeCp1250(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    if (text.isEmpty())
        return result;
    for (const QString& t : text.split(u'\n'))
        result.lines.append(Classify(t));
    return result;
}

const Lines& Load(const QString& path)
{
    const FileStamp stamp = StampOf(path);
    auto it = Cache().find(path);
    if (it != Cache().end() && it->first == stamp)
        return it->second;
    Lines lines;
    if (stamp.exists) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            lines = Parse(file.readAll());
        else
            lines.readable = false;
    }
    it = Cache().insert(path, {stamp, std::move(lines)});
    return it->second;
}

// Indices [begin, end) of the first section of that name's entries (after its header).
std::optional<std::pair<qsizetype, qsizetype>> SectionRange(const QList<Line>& lines, const QString& section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != Line::Kind::Section || !SameTextNoCase(lines[i].name, section.trimmed()))
            continue;
        qsizetype end = i + 1;
        while (end < lines.size() && lines[end].kind != Line::Kind::Section)
            ++end;
        return std::pair{i + 1, end};
    }
    return std::nullopt;
}

std::optional<QString> RawValue(const QString& file, const QString& section, const QString& key)
{
    const QList<Line>& lines = Load(file).lines;
    const auto range = SectionRange(lines, section);
    if (!range)
        return std::nullopt;
    for (qsizetype i = range->first; i < range->second; ++i)
        if (lines[i].kind == Line::Kind::Key && SameTextNoCase(lines[i].name, key.trimmed()))
            return lines[i].value;
    return std::nullopt;
}

QString Unquoted(const QString& raw)
{
    QString value = raw.trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

bool Save(const QString& path, const QList<Line>& lines)
{
    QString text;
    for (const Line& line : lines)
        text += line.text + QStringLiteral("\r\n");
    if (!WriteFileAtomically(path, EncodeCp1250(text))) {
        Cache().remove(path);
        return false;
    }
    Cache()[path] = {StampOf(path), Lines{lines, true}};
    return true;
}

bool WritableName(const QString& name, bool isSection)
{
    const QString t = name.trimmed();
    if (t.isEmpty() || t.contains(u'\n') || t.contains(u'\r'))
        return false;
    return isSection ? !t.contains(u']') : !t.contains(u'=') && !t.startsWith(u'[') && !t.startsWith(u';');
}

// Removes the lines of every section of that name (headers included) that
// match; false when none did or the file could not be rewritten.
template <typename Match>
bool RemoveLines(const QString& file, const QString& section, Match match)
{
    const Lines& loaded = Load(file);
    if (!loaded.readable)
        return false;
    QList<Line> kept;
    bool inSection = false;
    for (const Line& line : loaded.lines) {
        if (line.kind == Line::Kind::Section)
            inSection = SameTextNoCase(line.name, section.trimmed());
        if (!inSection || !match(line))
            kept.append(line);
    }
    return kept.size() < loaded.lines.size() && Save(file, kept);
}

}  // namespace

QString ReadProfileString(const QString& file, const QString& section, const QString& key, const QString& defaultValue)
{
    const auto raw = RawValue(file, section, key);
    return raw ? Unquoted(*raw) : defaultValue;
}

int ReadProfileInt(const QString& file, const QString& section, const QString& key, int defaultValue)
{
    const QString value = ReadProfileString(file, section, key);
    if (value.isEmpty())
        return defaultValue;
    qsizetype pos = 0;
    bool negative = false;
    if (value[0] == u'-' || value[0] == u'+') {
        negative = value[0] == u'-';
        ++pos;
    }
    int base = 10;
    if (value.mid(pos, 2).compare(QStringLiteral("0x"), Qt::CaseInsensitive) == 0) {
        base = 16;
        pos += 2;
    }
    qint64 number = 0;
    for (; pos < value.size(); ++pos) {
        const qsizetype digit = QStringLiteral("0123456789abcdef").indexOf(value[pos].toLower());
        if (digit < 0 || digit >= base)
            break;
        number = number * base + digit;
        if (number > 0xffffffffLL)
            break;
    }
    return static_cast<int>(negative ? -number : number);
}

bool WriteProfileString(const QString& file, const QString& section, const QString& key, const QString& value)
{
    if (!WritableName(section, true) || !WritableName(key, false))
        return false;
    const Lines& loaded = Load(file);
    if (!loaded.readable)
        return false;  // rewriting would lose what could not be read
    QList<Line> lines = loaded.lines;
    QString flat = value;
    flat.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    flat.replace(u'\r', u' ');
    flat.replace(u'\n', u' ');

    const auto range = SectionRange(lines, section);
    if (!range) {
        if (!lines.isEmpty() && !lines.back().text.trimmed().isEmpty())
            lines.append(Classify(QString()));
        lines.append(Classify(u'[' + section.trimmed() + u']'));
        lines.append(Classify(key.trimmed() + u'=' + flat));
        return Save(file, lines);
    }
    qsizetype insertAt = range->first;
    for (qsizetype i = range->first; i < range->second; ++i) {
        if (lines[i].kind == Line::Kind::Key && SameTextNoCase(lines[i].name, key.trimmed())) {
            if (lines[i].value == flat)
                return true;
            lines[i] = Classify(lines[i].name + u'=' + flat);
            return Save(file, lines);
        }
        if (!lines[i].text.trimmed().isEmpty())
            insertAt = i + 1;
    }
    lines.insert(insertAt, Classify(key.trimmed() + u'=' + flat));
    return Save(file, lines);
}

QStringList ProfileSections(const QString& file)
{
    QStringList names;
    for (const Line& line : Load(file).lines) {
        if (line.kind != Line::Kind::Section)
            continue;
        const bool seen = std::any_of(names.cbegin(), names.cend(), [&](const QString& n) { return SameTextNoCase(n, line.name); });
        if (!seen)
            names.append(line.name);
    }
    return names;
}

QStringList ProfileKeys(const QString& file, const QString& section)
{
    QStringList names;
    const QList<Line>& lines = Load(file).lines;
    const auto range = SectionRange(lines, section);
    if (!range)
        return names;
    for (qsizetype i = range->first; i < range->second; ++i) {
        if (lines[i].kind != Line::Kind::Key)
            continue;
        const bool seen = std::any_of(names.cbegin(), names.cend(), [&](const QString& n) { return SameTextNoCase(n, lines[i].name); });
        if (!seen)
            names.append(lines[i].name);
    }
    return names;
}

bool ProfileHasKey(const QString& file, const QString& section, const QString& key)
{
    return RawValue(file, section, key).has_value();
}

bool DeleteProfileKey(const QString& file, const QString& section, const QString& key)
{
    return RemoveLines(file, section, [&](const Line& line) {
        return line.kind == Line::Kind::Key && SameTextNoCase(line.name, key.trimmed());
    });
}

bool DeleteProfileSection(const QString& file, const QString& section)
{
    return RemoveLines(file, section, [](const Line&) { return true; });
}

}  // namespace qel
