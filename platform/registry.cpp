#include "platform/registry.h"

#include "platform/atomic_file.h"
#include "platform/file_stamp.h"
#include "platform/paths.h"
#include "text/strings.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>

#include <memory>
#include <optional>
#include <vector>

namespace qel {

RegHive HiveFromNumber(int number)
{
    switch (number) {
    case 1: return RegHive::CurrentUser;
    case 2: return RegHive::LocalMachine;
    case 3: return RegHive::Users;
    case 4: return RegHive::DynData;
    default: return RegHive::ClassesRoot;
    }
}

QString HiveName(RegHive hive)
{
    switch (hive) {
    case RegHive::CurrentUser: return QStringLiteral("HKEY_CURRENT_USER");
    case RegHive::LocalMachine: return QStringLiteral("HKEY_LOCAL_MACHINE");
    case RegHive::Users: return QStringLiteral("HKEY_USERS");
    case RegHive::DynData: return QStringLiteral("HKEY_DYN_DATA");
    case RegHive::ClassesRoot: break;
    }
    return QStringLiteral("HKEY_CLASSES_ROOT");
}

QString HiveFilePath(RegHive hive)
{
    return QelHome() + QStringLiteral("/registry/") + HiveName(hive) + QStringLiteral(".reg");
}

namespace {

bool HasControlCharacter(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    return false;
}

QStringList SplitKeyPath(const QString& path)
{
    return path.split(u'\\', Qt::SkipEmptyParts);
}

struct Node {
    QString name;
    QList<std::pair<QString, RegValue>> values;
    std::vector<std::unique_ptr<Node>> children;

    Node* child(const QString& childName) const
    {
        for (const auto& c : children)
            if (SameTextNoCase(c->name, childName))
                return c.get();
        return nullptr;
    }
    Node* addChild(const QString& childName)
    {
        children.push_back(std::make_unique<Node>());
        children.back()->name = childName;
        return children.back().get();
    }
    qsizetype valueIndex(const QString& valueName) const
    {
        for (qsizetype i = 0; i < values.size(); ++i)
            if (SameTextNoCase(values[i].first, valueName))
                return i;
        return -1;
    }
    void setValue(const QString& valueName, const RegValue& value)
    {
        const qsizetype i = valueIndex(valueName);
        if (i >= 0)
            values[i].second = value;
        else
            values.append({valueName, value});
    }
};

Node* FindNode(Node& root, const QStringList& parts)
{
    Node* node = &root;
    for (const QString& part : parts) {
        node = node->child(part);
        if (!node)
            return nullptr;
    }
    return node;
}

// ---- Reading the REGEDIT4 text ----

std::optional<QString> ReadQuoted(const QString& line, qsizetype& pos)
{
    if (pos >= line.size() || line[pos] != u'"')
        return std::nullopt;
    QString out;
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == u'\\' && pos + 1 < line.size()) {
            out.append(line[++pos]);
        } else if (c == u'"') {
            ++pos;
            return out;
        } else {
            out.append(c);
        }
    }
    return std::nullopt;  // cut off before the closing quote
}

std::optional<QByteArray> ReadHexList(const QString& text)
{
    QByteArray out;
    const QStringList items = text.split(u',', Qt::KeepEmptyParts);
    if (text.trimmed().isEmpty())
        return out;
    for (const QString& item : items) {
        const QString digits = item.trimmed();
        bool ok = false;
        const uint byte = digits.toUInt(&ok, 16);
        if (!ok || digits.size() > 2 || byte > 0xff)
            return std::nullopt;
        out.append(static_cast<char>(byte));
    }
    return out;
}

QString TextFromStoredBytes(QByteArray bytes)
{
    while (bytes.endsWith('\0'))
        bytes.chop(1);
    return QString::fromUtf8(bytes);
}

std::optional<RegValue> ReadData(const QString& data)
{
    if (data.startsWith(u'"')) {
        qsizetype pos = 0;
        const auto text = ReadQuoted(data, pos);
        if (!text || !data.mid(pos).trimmed().isEmpty())
            return std::nullopt;
        return RegValue::string(*text);
    }
    const QString lower = data.toLower();
    if (lower.startsWith(QStringLiteral("dword:"))) {
        const QString digits = data.mid(6).trimmed();
        bool ok = false;
        const uint number = digits.toUInt(&ok, 16);
        if (!ok || digits.isEmpty() || digits.size() > 8)
            return std::nullopt;
        return RegValue::integer(number);
    }
    const auto hexAfter = [&](qsizetype prefix) { return ReadHexList(data.mid(prefix)); };
    if (lower.startsWith(QStringLiteral("hex:"))) {
        if (const auto bytes = hexAfter(4))
            return RegValue::binary(*bytes);
    } else if (lower.startsWith(QStringLiteral("hex(2):"))) {
        if (const auto bytes = hexAfter(7))
            return RegValue::expandString(TextFromStoredBytes(*bytes));
    } else if (lower.startsWith(QStringLiteral("hex(1):"))) {
        if (const auto bytes = hexAfter(7))
            return RegValue::string(TextFromStoredBytes(*bytes));
    } else if (lower.startsWith(QStringLiteral("hex(4):"))) {
        if (const auto bytes = hexAfter(7); bytes && bytes->size() == 4) {
            quint32 n = 0;
            for (int i = 3; i >= 0; --i)
                n = (n << 8) | static_cast<quint8>(bytes->at(i));
            return RegValue::integer(n);
        }
    }
    return std::nullopt;
}

// Joins the continuation lines of long hex data ("...,\" then the rest).
QStringList LogicalLines(const QString& text)
{
    QStringList lines;
    QString pending;
    bool continuing = false;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (continuing)
            line = pending + line.trimmed();
        continuing = line.endsWith(u'\\') && line.contains(u'=') && !line.startsWith(u'[');
        if (continuing) {
            pending = line.chopped(1);
            continue;
        }
        lines.append(line);
    }
    if (continuing)
        lines.append(pending);  // cut off mid-value: let the value's parse judge it
    return lines;
}

// Fills root from the file's text; returns false when anything could not be read.
bool ParseHive(const QByteArray& bytes, const QString& hiveName, Node& root)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    bool intact = !decoder.hasError() && !bytes.contains('\0');
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);

    Node* current = nullptr;
    bool sawHeader = false;
    for (const QString& raw : LogicalLines(text)) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (!sawHeader) {
            sawHeader = true;
            if (line == QStringLiteral("REGEDIT4") || line == QStringLiteral("Windows Registry Editor Version 5.00"))
                continue;
            intact = false;
        }
        if (line.startsWith(u'[')) {
            current = nullptr;
            if (!line.endsWith(u']')) {
                intact = false;
                continue;
            }
            QStringList parts = SplitKeyPath(line.mid(1, line.size() - 2));
            if (parts.isEmpty() || !SameTextNoCase(parts.takeFirst(), hiveName) || HasControlCharacter(parts.join(u'\\'))) {
                intact = false;
                continue;
            }
            current = &root;
            for (const QString& part : parts) {
                Node* next = current->child(part);
                current = next ? next : current->addChild(part);
            }
            continue;
        }
        QString name;
        qsizetype pos = 0;
        if (line.startsWith(u'@')) {
            pos = 1;
        } else if (const auto quoted = ReadQuoted(line, pos)) {
            name = *quoted;
        } else {
            intact = false;
            continue;
        }
        while (pos < line.size() && line[pos].isSpace())
            ++pos;
        if (!current || pos >= line.size() || line[pos] != u'=') {
            intact = false;
            continue;
        }
        const auto value = ReadData(line.mid(pos + 1).trimmed());
        if (!value) {
            intact = false;
            continue;
        }
        if (current->valueIndex(name) < 0)
            current->values.append({name, *value});
    }
    if (!sawHeader && !bytes.trimmed().isEmpty())
        intact = false;
    return intact;
}

// ---- Writing it ----

QString Quoted(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        if (c == u'\\' || c == u'"')
            out.append(u'\\');
        out.append(c);
    }
    out.append(u'"');
    return out;
}

QString HexList(const QString& prefix, const QByteArray& bytes)
{
    QString out = prefix;
    qsizetype lineLength = out.size();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        out += QStringLiteral("%1").arg(static_cast<quint8>(bytes[i]), 2, 16, QChar(u'0'));
        lineLength += 2;
        if (i + 1 < bytes.size()) {
            out.append(u',');
            ++lineLength;
            if (lineLength > 74) {
                out += QStringLiteral("\\\r\n  ");
                lineLength = 2;
            }
        }
    }
    return out;
}

QString DataText(const RegValue& value)
{
    switch (value.type) {
    case RegType::String:
        if (HasControlCharacter(value.text))
            return HexList(QStringLiteral("hex(1):"), value.text.toUtf8() + QByteArray(1, '\0'));
        return Quoted(value.text);
    case RegType::ExpandString:
        return HexList(QStringLiteral("hex(2):"), value.text.toUtf8() + QByteArray(1, '\0'));
    case RegType::Integer:
        return QStringLiteral("dword:%1").arg(value.number, 8, 16, QChar(u'0'));
    case RegType::Bytes:
        return HexList(QStringLiteral("hex:"), value.bytes);
    case RegType::None:
        break;
    }
    return {};
}

void WriteNode(const Node& node, const QString& keyPath, QString& out)
{
    out += u'[' + keyPath + QStringLiteral("]\r\n");
    for (const auto& [name, value] : node.values)
        out += (name.isEmpty() ? QStringLiteral("@") : Quoted(name)) + u'=' + DataText(value) + QStringLiteral("\r\n");
    out += QStringLiteral("\r\n");
    for (const auto& c : node.children)
        WriteNode(*c, keyPath + u'\\' + c->name, out);
}

QByteArray HiveText(const Node& root, const QString& hiveName)
{
    QString out = QStringLiteral("REGEDIT4\r\n\r\n");
    if (!root.values.isEmpty())
        WriteNode(Node{QString(), root.values, {}}, hiveName, out);
    for (const auto& c : root.children)
        WriteNode(*c, hiveName + u'\\' + c->name, out);
    return out.toUtf8();
}

// ---- The hives of this process, re-read whenever their file changes ----

struct LoadedHive {
    FileStamp stamp;
    bool readable = true;  // false: rewriting it would throw away what could not be read
    int batches = 0;       // open RegistryBatch objects
    bool dirty = false;    // changed in memory, not yet written
    Node root;
};

QHash<QString, std::shared_ptr<LoadedHive>>& Hives()
{
    static QHash<QString, std::shared_ptr<LoadedHive>> hives;
    return hives;
}

QList<RegistryDamage>& DamageReports()
{
    static QList<RegistryDamage> reports;
    return reports;
}

LoadedHive& Load(RegHive hive)
{
    const QString path = HiveFilePath(hive);
    auto& slot = Hives()[path];
    if (slot && slot->dirty)
        return *slot;  // a batch holds changes the file does not have yet
    const FileStamp stamp = StampOf(path);
    if (slot && slot->stamp == stamp)
        return *slot;
    const int batches = slot ? slot->batches : 0;
    slot = std::make_shared<LoadedHive>();
    slot->stamp = stamp;
    slot->batches = batches;
    if (!stamp.exists)
        return *slot;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        slot->readable = false;
        return *slot;
    }
    const QByteArray bytes = file.readAll();
    if (!ParseHive(bytes, HiveName(hive), slot->root)) {
        const QString copy = KeepDamagedCopy(path);
        DamageReports().append({path, copy});
        // Only with the damaged text safe beside it is the file cleaned up;
        // without a copy it is not written over at all.
        if (copy.isEmpty())
            slot->readable = false;
        else if (WriteFileAtomically(path, HiveText(slot->root, HiveName(hive))))
            slot->stamp = StampOf(path);
    }
    return *slot;
}

bool Save(RegHive hive, QString& error, bool force = false)
{
    const QString path = HiveFilePath(hive);
    LoadedHive& loaded = Load(hive);
    if (loaded.batches > 0 && !force) {
        loaded.dirty = true;
        return true;
    }
    loaded.dirty = false;
    const QFileInfo info(path);
    QString reason;
    bool ok = false;
    if (!loaded.readable)
        reason = QStringLiteral("nie można go odczytać");
    else if (info.exists() && !info.isWritable())
        reason = QStringLiteral("brak prawa zapisu");
    else
        ok = WriteFileAtomically(path, HiveText(loaded.root, HiveName(hive)), &reason);
    if (!ok) {
        // Forget the change: what this process sees stays what the file holds.
        Hives().remove(path);
        error = QStringLiteral("Nie można zapisać pliku rejestru %1: %2").arg(path, reason);
        return false;
    }
    loaded.stamp = StampOf(path);
    return true;
}

QString CantOpen(const QString& path)
{
    return QStringLiteral("Can't open key. ") + path;
}

}  // namespace

RegistryBatch::RegistryBatch(RegHive hive) : hive_(hive)
{
    ++Load(hive_).batches;
}

RegistryBatch::~RegistryBatch()
{
    commit();
    // The hive may have been dropped after a failed write; find it anew.
    if (auto hive = Hives().value(HiveFilePath(hive_)))
        hive->batches = std::max(0, hive->batches - 1);
}

bool RegistryBatch::commit(QString* error)
{
    LoadedHive& loaded = Load(hive_);
    if (!loaded.dirty || loaded.batches > 1)
        return true;
    QString reason;
    const int batches = loaded.batches;
    const bool ok = Save(hive_, reason, true);
    if (!ok) {
        Load(hive_).batches = batches;  // the dropped tree comes back without the changes
        if (error)
            *error = reason;
    }
    return ok;
}

QList<RegistryDamage> TakeRegistryDamage()
{
    return std::exchange(DamageReports(), {});
}

RegistryKey::RegistryKey(RegHive hive) : hive_(hive) {}

bool RegistryKey::open(const QString& path, bool create)
{
    close();
    error_.clear();
    const QStringList parts = SplitKeyPath(path);
    if (HasControlCharacter(path)) {
        error_ = CantOpen(path);
        return false;
    }
    Node* node = &Load(hive_).root;
    QStringList spelt;
    bool added = false;
    for (const QString& part : parts) {
        Node* next = node->child(part);
        if (!next) {
            if (!create) {
                error_ = CantOpen(path);
                return false;
            }
            next = node->addChild(part);
            added = true;
        }
        spelt.append(next->name);
        node = next;
    }
    if (added && !Save(hive_, error_))
        return false;
    path_ = spelt.join(u'\\');
    open_ = true;
    return true;
}

void RegistryKey::close()
{
    open_ = false;
    path_.clear();
}

bool RegistryKey::keyExists(const QString& path) const
{
    return FindNode(Load(hive_).root, SplitKeyPath(path)) != nullptr;
}

namespace {

// The open key's node as the hive now stands; another key object may have
// deleted it meanwhile.
Node* OpenNode(RegHive hive, bool open, const QString& path, QString& error)
{
    Node* node = open ? FindNode(Load(hive).root, SplitKeyPath(path)) : nullptr;
    error = node ? QString() : CantOpen(path);
    return node;
}

}  // namespace

bool RegistryKey::hasValue(const QString& name) const
{
    const Node* node = OpenNode(hive_, open_, path_, error_);
    return node && node->valueIndex(name) >= 0;
}

RegValue RegistryKey::value(const QString& name) const
{
    const Node* node = OpenNode(hive_, open_, path_, error_);
    if (!node)
        return {};
    const qsizetype i = node->valueIndex(name);
    return i >= 0 ? node->values[i].second : RegValue{};
}

QStringList RegistryKey::valueNames() const
{
    QStringList names;
    if (const Node* node = OpenNode(hive_, open_, path_, error_))
        for (const auto& v : node->values)
            names.append(v.first);
    return names;
}

QStringList RegistryKey::subkeyNames() const
{
    QStringList names;
    if (const Node* node = OpenNode(hive_, open_, path_, error_))
        for (const auto& c : node->children)
            names.append(c->name);
    return names;
}

bool RegistryKey::setValue(const QString& name, const RegValue& value)
{
    error_.clear();
    if (value.type == RegType::None || HasControlCharacter(name)) {
        error_ = QStringLiteral("Niedozwolona nazwa lub typ wartości: ") + name;
        return false;
    }
    Node* node = OpenNode(hive_, open_, path_, error_);
    if (!node)
        return false;
    const qsizetype i = node->valueIndex(name);
    if (i >= 0 && node->values[i].second == value)
        return true;
    node->setValue(name, value);
    return Save(hive_, error_);
}

bool RegistryKey::writeString(const QString& name, const QString& text)
{
    return setValue(name, RegValue::string(text));
}

bool RegistryKey::writeExpandString(const QString& name, const QString& text)
{
    return setValue(name, RegValue::expandString(text));
}

bool RegistryKey::writeInteger(const QString& name, quint32 number)
{
    return setValue(name, RegValue::integer(number));
}

bool RegistryKey::writeBytes(const QString& name, const QByteArray& bytes)
{
    return setValue(name, RegValue::binary(bytes));
}

bool RegistryKey::deleteValue(const QString& name)
{
    error_.clear();
    Node* node = OpenNode(hive_, open_, path_, error_);
    if (!node)
        return false;
    const qsizetype i = node->valueIndex(name);
    if (i < 0) {
        error_ = QStringLiteral("Brak wartości ") + name;
        return false;
    }
    node->values.removeAt(i);
    return Save(hive_, error_);
}

bool RegistryKey::deleteKey(const QString& path)
{
    error_.clear();
    QStringList parts = SplitKeyPath(path);
    if (parts.isEmpty()) {
        error_ = CantOpen(path);
        return false;
    }
    const QString last = parts.takeLast();
    Node* parent = FindNode(Load(hive_).root, parts);
    Node* target = parent ? parent->child(last) : nullptr;
    if (!target) {
        error_ = CantOpen(path);
        return false;
    }
    std::erase_if(parent->children, [target](const std::unique_ptr<Node>& c) { return c.get() == target; });
    if (!Save(hive_, error_))
        return false;
    if (open_ && !keyExists(path_))
        close();
    return true;
}

}  // namespace qel
