#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace qel {

// Keeps chosen properties of a window's components between runs, in the
// current user's registry under key "\" section, one string value a property
// named "component_Property" (so "ceKwotaGlowna.Value" is kept as
// "ceKwotaGlowna_Value"), the way the family's programs keep them.
//
// Properties are named as designed ("Text", "Value", "TabIndex", "ItemIndex",
// "Checked") and reached through the Qt property of the same name with a small
// first letter; "ItemIndex" is a combo box's currentIndex. Reals are written
// with "." whatever the regional settings, booleans "True"/"False".
//
// restore() sets them in the order given (a later one wins, as "Value" after
// "Text"); the window calls it once its components exist. The inputs are
// saved when the storage is destroyed, which a window member is before the
// components go, and by save().
class FormStorage {
public:
    FormStorage(QWidget* window, const QString& key, const QString& section, const QStringList& storedProps);
    ~FormStorage();
    FormStorage(const FormStorage&) = delete;
    FormStorage& operator=(const FormStorage&) = delete;

    void restore();
    void save() const;

    QString registryPath() const;                      // key\section below the hive
    static QString valueName(const QString& storedProp);  // "a.Text" -> "a_Text"

private:
    QPointer<QWidget> window_;
    QString key_;
    QString section_;
    QStringList storedProps_;
};

}  // namespace qel
