#pragma once

#include "widgets/notebook.h"

#include <QLabel>
#include <QPointer>
#include <QTabBar>

// The platform-drawn tab set with the flat tab set's links: a notebook whose
// page names give the tabs, a second notebook and an info label. Selection,
// SelectNext and SelectPrevious follow the flat tab set; the platform's tab bar
// always has a tab selected while it has tabs, so -1 is not taken.
class TqelTabSet : public QTabBar {
    Q_OBJECT
    Q_PROPERTY(int tabIndex READ tabIndex WRITE setTabIndex)

public:
    explicit TqelTabSet(QWidget* parent = nullptr);

    int tabIndex() const { return currentIndex(); }
    void setTabIndex(int v);
    void selectNext();
    void selectPrevious();

    qel::Notebook* notebook() const { return notebook_; }
    void setNotebook(qel::Notebook* notebook);
    qel::Notebook* notebook2() const { return notebook2_; }
    void setNotebook2(qel::Notebook* notebook) { notebook2_ = notebook; }
    QLabel* infoLabel() const { return infoLabel_; }
    void setInfoLabel(QLabel* label) { infoLabel_ = label; }

    Q_INVOKABLE QString visibleText() const { return tabText(currentIndex()).remove(u'&'); }

public slots:
    void simulateInput(const QString& value);

signals:
    // After every change of the selection.
    void clicked();

private:
    void runClick();

    bool selecting_ = false;
    QPointer<qel::Notebook> notebook_;
    QPointer<qel::Notebook> notebook2_;
    QPointer<QLabel> infoLabel_;
};
