#include "core/settings.h"

#include "core/messages.h"
#include "platform/clock.h"
#include "platform/datetime.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/registry.h"

#include <QSet>

namespace qel {

namespace {

QString& LastError()
{
    static QString error;
    return error;
}

// A damaged hive file was read as far as it went: tell the user once where
// the copy of the damaged file is.
void ReportRegistryDamage()
{
    for (const RegistryDamage& damage : TakeRegistryDamage()) {
        QString message = QStringLiteral("Plik rejestru programu był uszkodzony! Odczytałem z niego wszystko, co się dało.\r\n"
                                         "plik: ") + damage.file;
        message += damage.copy.isEmpty() ? QStringLiteral("\r\nNie udało się zachować kopii uszkodzonego pliku.")
                                         : QStringLiteral("\r\nkopia uszkodzonego pliku: ") + damage.copy;
        ShowMessage(message);
    }
}

QString ValueText(const RegValue& value)
{
    switch (value.type) {
    case RegType::String:
        return value.text;
    case RegType::ExpandString:
        return QStringLiteral("*** ext string ***");
    case RegType::Integer:
        return QString::number(static_cast<qint32>(value.number));
    case RegType::Bytes: {
        // A shorter value counts as padded with zero bytes.
        quint32 n = 0;
        for (int i = 3; i >= 0; --i)
            n = (n << 8) | (i < value.bytes.size() ? static_cast<quint8>(value.bytes[i]) : 0u);
        return QString::number(static_cast<qint32>(n));
    }
    case RegType::None:
        break;
    }
    return {};
}

template <typename Write>
bool WriteRegistry(int hive, const QString& key, Write write)
{
    LastError().clear();
    RegistryKey reg(HiveFromNumber(hive));
    const bool ok = reg.open(key, true) && write(reg);
    ReportRegistryDamage();
    if (!ok) {
        ShowRegistryFailure(reg.error());
        // The message's own registry accesses must not wipe the reason.
        LastError() = reg.error();
    }
    return ok;
}

bool ListNames(int hive, const QString& key, QStringList& names, bool subkeys)
{
    LastError().clear();
    names.clear();
    RegistryKey reg(HiveFromNumber(hive));
    const bool ok = reg.open(key, false);
    if (ok)
        names = subkeys ? reg.subkeyNames() : reg.valueNames();
    else
        LastError() = reg.error();
    ReportRegistryDamage();
    return ok;
}

int ParsedInt(const QString& text, int defaultValue)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

}  // namespace

// ---- Registry level ----

QString RegReadValue(int hive, const QString& key, const QString& name, const QString& defaultValue)
{
    LastError().clear();
    QString result = defaultValue;
    RegistryKey reg(HiveFromNumber(hive));
    if (reg.open(key, false))
        result = ValueText(reg.value(name));
    else
        LastError() = reg.error();
    ReportRegistryDamage();
    return result.isEmpty() ? defaultValue : result;
}

bool RegWriteString(int hive, const QString& key, const QString& name, const QString& text)
{
    return WriteRegistry(hive, key, [&](RegistryKey& reg) { return reg.writeString(name, text); });
}

bool RegWriteInteger(int hive, const QString& key, const QString& name, int number)
{
    return WriteRegistry(hive, key, [&](RegistryKey& reg) { return reg.writeInteger(name, static_cast<quint32>(number)); });
}

bool RegValueNames(int hive, const QString& key, QStringList& names)
{
    return ListNames(hive, key, names, false);
}

bool RegSubkeyNames(int hive, const QString& key, QStringList& names)
{
    return ListNames(hive, key, names, true);
}

bool RegDeleteKey(int hive, const QString& key)
{
    LastError().clear();
    RegistryKey reg(HiveFromNumber(hive));
    const bool ok = reg.deleteKey(key);
    if (!ok)
        LastError() = reg.error();
    ReportRegistryDamage();
    return ok;
}

bool RegDeleteValue(int hive, const QString& key, const QString& name)
{
    LastError().clear();
    RegistryKey reg(HiveFromNumber(hive));
    const bool ok = reg.open(key, false) && reg.deleteValue(name);
    if (!ok)
        LastError() = reg.error();
    ReportRegistryDamage();
    return ok;
}

QString LastRegistryError()
{
    return LastError();
}

// ---- Section level ----

QString SectionKey(const QString& section)
{
    return QStringLiteral("Software\\QEL\\") + section;
}

QString ReadSetting(const QString& section, const QString& name, const QString& defaultValue)
{
    return RegReadValue(kHiveCurrentUser, SectionKey(section), name, defaultValue);
}

bool WriteSetting(const QString& section, const QString& name, const QString& text)
{
    return RegWriteString(kHiveCurrentUser, SectionKey(section), name, text);
}

bool ReadSettingBool(const QString& section, const QString& name, bool defaultValue)
{
    return SettingTextIsTrue(ReadSetting(section, name, SettingBoolText(defaultValue)));
}

bool WriteSettingBool(const QString& section, const QString& name, bool value)
{
    return WriteSetting(section, name, SettingBoolText(value));
}

int ReadSettingInt(const QString& section, const QString& name, int defaultValue)
{
    return ParsedInt(ReadSetting(section, name), defaultValue);
}

bool WriteSettingInt(const QString& section, const QString& name, int value)
{
    return WriteSetting(section, name, QString::number(value));
}

// ---- Ini level ----

QString QelIniPath()
{
    return MapWindowsPath(QStringLiteral("c:\\qel.ini"));
}

QString IniReadString(const QString& file, const QString& section, const QString& name, const QString& defaultValue)
{
    if (!ProfileHasKey(file, section, name))
        return defaultValue;
    QString value = ReadProfileString(file, section, name).left(kIniValueLimit);
    return value.replace(u'~', u'"');
}

bool IniWriteString(const QString& file, const QString& section, const QString& name, const QString& text)
{
    QString stored = text;
    return WriteProfileString(file, section, name, stored.replace(u'"', u'~'));
}

int IniReadInt(const QString& file, const QString& section, const QString& name, int defaultValue)
{
    return ParsedInt(IniReadString(file, section, name), defaultValue);
}

bool IniWriteInt(const QString& file, const QString& section, const QString& name, int value)
{
    return IniWriteString(file, section, name, QString::number(value));
}

bool IniReadBool(const QString& file, const QString& section, const QString& name, bool defaultValue)
{
    const QString value = IniReadString(file, section, name);
    return value.isEmpty() ? defaultValue : SettingTextIsTrue(value);
}

bool IniWriteBool(const QString& file, const QString& section, const QString& name, bool value)
{
    return IniWriteString(file, section, name, SettingBoolText(value));
}

// ---- Combined ----

QString QelReadString(const QString& section, const QString& name, const QString& defaultValue)
{
    const QString fromIni = IniReadString(QelIniPath(), section, name);
    return fromIni.isEmpty() ? ReadSetting(section, name, defaultValue) : fromIni;
}

bool QelReadBool(const QString& section, const QString& name, bool defaultValue)
{
    return IniReadBool(QelIniPath(), section, name, ReadSettingBool(section, name, defaultValue));
}

int QelReadInt(const QString& section, const QString& name, int defaultValue)
{
    return IniReadInt(QelIniPath(), section, name, ReadSettingInt(section, name, defaultValue));
}

void QelWriteString(const QString& section, const QString& name, const QString& text)
{
    WriteSetting(section, name, text);
    IniWriteString(QelIniPath(), section, name, text);
}

void QelWriteBool(const QString& section, const QString& name, bool value)
{
    QelWriteString(section, name, SettingBoolText(value));
}

void QelWriteInt(const QString& section, const QString& name, int value)
{
    QelWriteString(section, name, QString::number(value));
}

// ---- Conventions ----

bool SettingTextIsTrue(const QString& text)
{
    const QString t = text.toLower();
    return t == QStringLiteral("1") || t == QStringLiteral("true") || t == QStringLiteral("tak") || t == QStringLiteral("yes");
}

QString SettingBoolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// ---- The registry failure message ----

void ShowRegistryFailure(const QString& reason)
{
    // Keys the user silenced while the registry could not even store that.
    static QSet<QString> silencedThisRun;
    static QString showing;
    const QString key = QStringLiteral("RegSaveErr") + QString::number(static_cast<int>(ToDateTime(Today())));
    if (silencedThisRun.contains(key))
        return;
    if (!showing.isEmpty()) {
        // Only the message's own don't-show-again write can fail while it is up:
        // the user ticked the box, so keep the silence in memory at least.
        silencedThisRun.insert(showing);
        return;
    }
    showing = key;
    ShowSuppressibleMessage(QStringLiteral("Nie udała się wymiana danych z Rejestrem Windows! ") + reason, key, true);
    showing.clear();
}

}  // namespace qel
