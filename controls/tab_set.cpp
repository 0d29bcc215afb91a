#include "controls/tab_set.h"

#include "controls/tab_set_flat.h"

TqelTabSet::TqelTabSet(QWidget* parent) : QTabBar(parent)
{
    connect(this, &QTabBar::currentChanged, this, [this] {
        if (!selecting_)
            runClick();  // a tab pressed with the mouse
    });
}

void TqelTabSet::setTabIndex(int v)
{
    if (v == currentIndex() || v == -1)
        return;
    if (v < -1 || v >= count())
        v = 0;
    selecting_ = true;
    setCurrentIndex(v);
    selecting_ = false;
    runClick();
}

void TqelTabSet::selectNext()
{
    setTabIndex(currentIndex() + 1 >= count() ? 0 : currentIndex() + 1);
}

void TqelTabSet::selectPrevious()
{
    setTabIndex(currentIndex() <= 0 ? count() - 1 : currentIndex() - 1);
}

void TqelTabSet::setNotebook(qel::Notebook* notebook)
{
    notebook_ = notebook;
    if (!notebook)
        return;
    const int keep = currentIndex();
    selecting_ = true;
    while (count() > 0)
        removeTab(0);
    for (const QString& name : notebook->pageNames())
        addTab(TqelTabSetFlat::captionOfPageName(name));
    setCurrentIndex(std::min(keep, count() - 1));
    selecting_ = false;
}

void TqelTabSet::simulateInput(const QString& value)
{
    bool ok = false;
    const int index = value.trimmed().toInt(&ok);
    if (ok)
        setTabIndex(index);
}

void TqelTabSet::runClick()
{
    RunTabSetClick(this, currentIndex(), notebook_, notebook2_, infoLabel_);
    emit clicked();
}
