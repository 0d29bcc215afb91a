#pragma once

#include "controls/color_button.h"
#include "controls/tab_set.h"
#include "controls/tab_set_flat.h"

#include <QPointer>

#include <functional>

enum class TqelDAlejWstecz { dwDalej, dwWstecz };

// A wizard's forward (dwDalej) or back (dwWstecz) button, stepping through a
// tab set: its own TabSetFlat, else the last flat tab set of its window, else
// its own TabSet, else the last TqelTabSet of its window.
// Captions: forward "&Start >" on the first tab, "&Zakończ" on the last,
// "&Dalej >" between; back "Anuluj" on the first tab, else "<< &Wróć!" when it
// goes back to the first tab (CalaWstecz) and "<< &Wstecz!" otherwise.
//
// A page refuses the step forward by clearing allow in onDalej or by throwing
// from it: the exception's message is shown and the tab stays.
class TqelDalejWsteczButton : public TqelColorButton {
    Q_OBJECT
    Q_PROPERTY(TqelTabSetFlat* tabSetFlat READ tabSetFlat WRITE setTabSetFlat)
    Q_PROPERTY(TqelTabSet* tabSet READ tabSet WRITE setTabSet)

public:
    explicit TqelDalejWsteczButton(QWidget* parent = nullptr);

    TqelTabSetFlat* tabSetFlat() const { return tabSetFlat_; }
    void setTabSetFlat(TqelTabSetFlat* tabSet);
    TqelTabSet* tabSet() const { return tabSet_; }
    void setTabSet(TqelTabSet* tabSet);
    TqelDAlejWstecz rodzaj() const { return rodzaj_; }
    void setRodzaj(TqelDAlejWstecz kind);
    bool calaWstecz() const { return calaWstecz_; }
    void setCalaWstecz(bool on) { calaWstecz_ = on; updateCaption(); }
    bool allowFastEnd() const { return allowFastEnd_; }
    void setAllowFastEnd(bool on) { allowFastEnd_ = on; }
    // What the window answers when the forward button ends the wizard on the
    // last tab (0: it stays open). Kept apart from the colour button's own
    // modal result, which would close the window on every step.
    int endResult() const { return endResult_; }
    void setEndResult(int result) { endResult_ = result; }

    // The tab set it drives (a TqelTabSetFlat or a TqelTabSet); null for none.
    QWidget* drivenTabSet() const;

public slots:
    void updateCaption();

public:
    // (tab index, kind, allow)
    std::function<void(int, TqelDAlejWstecz, bool&)> onDalej;
    std::function<void(int, TqelDAlejWstecz, bool&)> onAfterDalej;
    // (current tab, next tab, kind, allow)
    std::function<void(int, int&, TqelDAlejWstecz, bool&)> onGetNextTab;
    std::function<void(TqelDalejWsteczButton*)> onAfterFastEnd;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void follow(QWidget* tabs);
    void stepClick();

    QPointer<TqelTabSetFlat> tabSetFlat_;
    QPointer<TqelTabSet> tabSet_;
    TqelDAlejWstecz rodzaj_ = TqelDAlejWstecz::dwDalej;
    bool calaWstecz_ = false;
    bool allowFastEnd_ = false;
    int endResult_ = 0;
};
