#include "controls/wizard_button.h"

#include "controls/tab_set.h"
#include "controls/tab_set_flat.h"
#include "core/messages.h"

#include <QDialog>

#include <exception>

namespace {

// Either kind of tab set, as the button steps through it.
struct Driven {
    TqelTabSetFlat* flat = nullptr;
    TqelTabSet* plain = nullptr;

    explicit Driven(QWidget* w) : flat(qobject_cast<TqelTabSetFlat*>(w)), plain(qobject_cast<TqelTabSet*>(w)) {}
    bool exists() const { return flat || plain; }
    int index() const { return flat ? flat->tabIndex() : plain ? plain->tabIndex() : -1; }
    int count() const { return flat ? static_cast<int>(flat->items().size()) : plain ? plain->count() : 0; }
    bool first() const { return exists() && index() == 0; }
    bool last() const { return exists() && count() - 1 == index(); }
    void select(int i) const
    {
        if (flat)
            flat->setTabIndex(i);
        else if (plain)
            plain->setTabIndex(i);
    }
    void previous() const
    {
        if (flat)
            flat->selectPrevious();
        else if (plain)
            plain->selectPrevious();
    }
};

}  // namespace

TqelDalejWsteczButton::TqelDalejWsteczButton(QWidget* parent) : TqelColorButton(parent)
{
    // After the colour button's own click handling, which connected first.
    connect(this, &QPushButton::clicked, this, &TqelDalejWsteczButton::stepClick);
    setText(QStringLiteral("&Dalej >"));
}

void TqelDalejWsteczButton::setTabSetFlat(TqelTabSetFlat* tabSet)
{
    tabSetFlat_ = tabSet;
    follow(tabSet);
    updateCaption();
}

void TqelDalejWsteczButton::setTabSet(TqelTabSet* tabSet)
{
    tabSet_ = tabSet;
    follow(tabSet);
    updateCaption();
}

// The captions follow the tab set also when a tab is clicked directly.
void TqelDalejWsteczButton::follow(QWidget* tabs)
{
    const Driven d(tabs);
    if (d.flat)
        connect(d.flat, &TqelTabSetFlat::clicked, this, &TqelDalejWsteczButton::updateCaption, Qt::UniqueConnection);
    if (d.plain)
        connect(d.plain, &TqelTabSet::clicked, this, &TqelDalejWsteczButton::updateCaption, Qt::UniqueConnection);
}

void TqelDalejWsteczButton::showEvent(QShowEvent* event)
{
    TqelColorButton::showEvent(event);
    follow(drivenTabSet());
    updateCaption();
}

void TqelDalejWsteczButton::setRodzaj(TqelDAlejWstecz kind)
{
    rodzaj_ = kind;
    updateCaption();
}

QWidget* TqelDalejWsteczButton::drivenTabSet() const
{
    if (tabSetFlat_)
        return tabSetFlat_;
    if (const auto flats = window()->findChildren<TqelTabSetFlat*>(); !flats.isEmpty())
        return flats.last();
    if (tabSet_)
        return tabSet_;
    const auto plains = window()->findChildren<TqelTabSet*>();
    return plains.isEmpty() ? nullptr : plains.last();
}

void TqelDalejWsteczButton::updateCaption()
{
    const Driven s(drivenTabSet());
    if (rodzaj_ == TqelDAlejWstecz::dwDalej) {
        // With a single tab the one step left is the end.
        setText(s.last() ? QStringLiteral("&Zakończ") : s.first() ? QStringLiteral("&Start >") : QStringLiteral("&Dalej >"));
    } else if (s.first() || s.index() < 0) {
        setText(QStringLiteral("Anuluj"));
    } else {
        setText(calaWstecz_ ? QStringLiteral("<< &Wróć!") : QStringLiteral("<< &Wstecz!"));
    }
}

void TqelDalejWsteczButton::stepClick()
{
    const Driven tabs(drivenTabSet());
    const int index = tabs.index();
    if (rodzaj_ == TqelDAlejWstecz::dwWstecz) {
        if (tabs.exists() && !tabs.first() && index >= 0) {
            if (calaWstecz_)
                tabs.select(0);
            else
                tabs.previous();
        } else if (tabs.first() && allowFastEnd_) {
            window()->close();
            return;
        }
    } else if (tabs.exists() && !tabs.last()) {
        bool allow = true;
        int next = index;  // a step refused by onDalej reports the tab it stayed on
        try {
            if (onDalej)
                onDalej(index, rodzaj_, allow);
        } catch (const std::exception& e) {
            ShowMessage(ErrorMessageOf(e));
            return;
        }
        if (allow) {
            next = index + 1;
            if (onGetNextTab)
                onGetNextTab(index, next, rodzaj_, allow);
            if (allow)
                tabs.select(next);
        }
        if (onAfterDalej)
            onAfterDalej(next, rodzaj_, allow);
    } else if (tabs.last()) {
        if (allowFastEnd_ && onAfterFastEnd)
            onAfterFastEnd(this);
        if (endResult_ != 0) {
            if (auto* dialog = qobject_cast<QDialog*>(window()))
                dialog->done(endResult_);
        }
    }
    for (TqelDalejWsteczButton* b : window()->findChildren<TqelDalejWsteczButton*>())
        b->updateCaption();
}
