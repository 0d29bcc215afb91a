#include "widgets/form_storage.h"

#include "platform/registry.h"

#include <QComboBox>
#include <QMetaProperty>

namespace qel {

namespace {

struct Target {
    QObject* component = nullptr;
    QMetaProperty property;
};

Target Find(QWidget* window, const QString& storedProp)
{
    Target t;
    const qsizetype dot = storedProp.indexOf(u'.');
    if (!window || dot <= 0)
        return t;
    const QString name = storedProp.left(dot);
    QString prop = storedProp.mid(dot + 1);
    t.component = window->objectName() == name ? window : window->findChild<QWidget*>(name);
    if (!t.component || prop.isEmpty())
        return t;
    if (prop.compare(QStringLiteral("ItemIndex"), Qt::CaseInsensitive) == 0
        && qobject_cast<QComboBox*>(t.component))
        prop = QStringLiteral("currentIndex");
    prop[0] = prop[0].toLower();
    const QMetaObject* meta = t.component->metaObject();
    const int index = meta->indexOfProperty(prop.toLatin1().constData());
    if (index >= 0)
        t.property = meta->property(index);
    return t;
}

QString ToStored(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return value.toString();
    }
}

QVariant FromStored(const QString& text, QMetaType type, bool* ok)
{
    *ok = true;
    switch (type.id()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return text.toDouble(ok);
    case QMetaType::Int:
        return text.toInt(ok);
    case QMetaType::Bool:
        return text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0 || text == QStringLiteral("1");
    default:
        return text;
    }
}

}  // namespace

FormStorage::FormStorage(QWidget* window, const QString& key, const QString& section,
                         const QStringList& storedProps)
    : window_(window), key_(key), section_(section), storedProps_(storedProps)
{
}

FormStorage::~FormStorage()
{
    save();
}

QString FormStorage::registryPath() const
{
    return key_ + u'\\' + section_;
}

QString FormStorage::valueName(const QString& storedProp)
{
    return QString(storedProp).replace(u'.', u'_');
}

void FormStorage::restore()
{
    RegistryKey reg(RegHive::CurrentUser);
    if (!reg.open(registryPath(), false))
        return;  // nothing kept yet: the designed defaults stand
    for (const QString& item : storedProps_) {
        const Target t = Find(window_, item);
        const QString name = valueName(item);
        if (!t.property.isValid() || !t.property.isWritable() || !reg.hasValue(name))
            continue;
        const RegValue v = reg.value(name);
        const QString text = v.type == RegType::Integer ? QString::number(v.number) : v.text;
        bool ok = false;
        const QVariant value = FromStored(text, t.property.metaType(), &ok);
        if (ok)  // a damaged value keeps the default rather than becoming 0
            t.property.write(t.component, value);
    }
}

void FormStorage::save() const
{
    if (!window_)
        return;
    // One rewrite of the hive file for all the inputs, not one per input.
    RegistryBatch batch(RegHive::CurrentUser);
    RegistryKey reg(RegHive::CurrentUser);
    if (!reg.open(registryPath(), true))
        return;
    for (const QString& item : storedProps_) {
        const Target t = Find(window_, item);
        if (t.property.isValid())
            reg.writeString(valueName(item), ToStored(t.property.read(t.component)));
    }
}

}  // namespace qel
