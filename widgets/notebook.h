#pragma once

#include <QStackedWidget>
#include <QString>
#include <QStringList>

namespace qel {

// A page container whose pages have names and one page shows at a time; tab
// sets take their captions from the names and switch the pages.
class Notebook : public QStackedWidget {
    Q_OBJECT
    Q_PROPERTY(int pageIndex READ pageIndex WRITE setPageIndex)

public:
    using QStackedWidget::QStackedWidget;

    // Adds a page (a new empty one when none is given); returns it.
    QWidget* addPage(const QString& name, QWidget* page = nullptr);
    QString pageName(int index) const;
    void setPageName(int index, const QString& name);
    QStringList pageNames() const;

    int pageIndex() const { return currentIndex(); }
    // An index outside the pages is ignored.
    void setPageIndex(int index);
};

}  // namespace qel
