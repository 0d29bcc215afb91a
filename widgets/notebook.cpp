#include "widgets/notebook.h"

namespace qel {

namespace {
constexpr const char* kPageName = "qelPageName";
}

QWidget* Notebook::addPage(const QString& name, QWidget* page)
{
    if (!page)
        page = new QWidget;
    page->setProperty(kPageName, name);
    addWidget(page);
    return page;
}

QString Notebook::pageName(int index) const
{
    const QWidget* page = widget(index);
    return page ? page->property(kPageName).toString() : QString();
}

void Notebook::setPageName(int index, const QString& name)
{
    if (QWidget* page = widget(index))
        page->setProperty(kPageName, name);
}

QStringList Notebook::pageNames() const
{
    QStringList names;
    for (int i = 0; i < count(); ++i)
        names << pageName(i);
    return names;
}

void Notebook::setPageIndex(int index)
{
    if (index >= 0 && index < count())
        setCurrentIndex(index);
}

}  // namespace qel
