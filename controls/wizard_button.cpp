#include "controls/wizard_button.h"

#include "controls/tab_set_flat.h"
#include "core/messages.h"

#include <QDialog>

#include <exception>

namespace {

struct TabState {
    int index = -1;
    bool first = false;
    bool last = false;
};

TabState StateOf(const TqelTabSetFlat* tabs)
{
    TabState s;
    if (!tabs)
        return s;
    s.index = tabs->tabIndex();
    s.first = s.index == 0;
    s.last = static_cast<int>(tabs->items().size()) - 1 == s.index;
    return s;
}

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

// The captions follow the tab set also when a tab is clicked directly.
void TqelDalejWsteczButton::follow(TqelTabSetFlat* tabs)
{
    if (tabs)
        connect(tabs, &TqelTabSetFlat::clicked, this, &TqelDalejWsteczButton::updateCaption, Qt::UniqueConnection);
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

TqelTabSetFlat* TqelDalejWsteczButton::drivenTabSet() const
{
    if (tabSetFlat_)
        return tabSetFlat_;
    const QList<TqelTabSetFlat*> all = window()->findChildren<TqelTabSetFlat*>();
    return all.isEmpty() ? nullptr : all.last();
}

void TqelDalejWsteczButton::updateCaption()
{
    const TabState s = StateOf(drivenTabSet());
    if (rodzaj_ == TqelDAlejWstecz::dwDalej) {
        // With a single tab the one step left is the end.
        setText(s.last ? QStringLiteral("&Zakończ") : s.first ? QStringLiteral("&Start >") : QStringLiteral("&Dalej >"));
    } else if (s.first || s.index < 0) {
        setText(QStringLiteral("Anuluj"));
    } else {
        setText(calaWstecz_ ? QStringLiteral("<< &Wróć!") : QStringLiteral("<< &Wstecz!"));
    }
}

void TqelDalejWsteczButton::stepClick()
{
    TqelTabSetFlat* tabs = drivenTabSet();
    const TabState s = StateOf(tabs);
    if (rodzaj_ == TqelDAlejWstecz::dwWstecz) {
        if (tabs && !s.first && s.index >= 0) {
            if (calaWstecz_)
                tabs->setTabIndex(0);
            else
                tabs->selectPrevious();
        } else if (s.first && allowFastEnd_) {
            window()->close();
            return;
        }
    } else if (tabs && !s.last) {
        bool allow = true;
        int next = s.index;  // a step refused by onDalej reports the tab it stayed on
        try {
            if (onDalej)
                onDalej(s.index, rodzaj_, allow);
        } catch (const std::exception& e) {
            ShowMessage(ErrorMessageOf(e));
            return;
        }
        if (allow) {
            next = s.index + 1;
            if (onGetNextTab)
                onGetNextTab(s.index, next, rodzaj_, allow);
            if (allow)
                tabs->setTabIndex(next);
        }
        if (onAfterDalej)
            onAfterDalej(next, rodzaj_, allow);
    } else if (s.last) {
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
