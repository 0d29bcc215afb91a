#include "app/low_colour.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTableView>
#include <QWidget>

namespace {

void Recolour(QWidget* w, QPalette::ColorRole background, const QColor& colour, const QColor* font = nullptr)
{
    QPalette p = w->palette();
    p.setColor(background, colour);
    if (background == QPalette::Window)
        w->setAutoFillBackground(true);
    if (font) {
        p.setColor(QPalette::WindowText, *font);
        p.setColor(QPalette::Text, *font);
        p.setColor(QPalette::ButtonText, *font);
    }
    w->setPalette(p);
}

// Mark-up lists and combo boxes: window colour, links in the window text,
// selection in the highlight colours.
void RecolourList(QWidget* w, const QPalette& sys, const QColor& text)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, sys.color(QPalette::Base));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Link, sys.color(QPalette::Text));
    p.setColor(QPalette::Highlight, sys.color(QPalette::Highlight));
    p.setColor(QPalette::HighlightedText, sys.color(QPalette::HighlightedText));
    w->setPalette(p);
}

// A label with its own background; one drawn on its parent's is left alone.
bool Opaque(const QWidget* w)
{
    return w->autoFillBackground();
}

}  // namespace

bool LowColourDisplay()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen && screen->depth() <= 15;
}

void ApplySystemColours(QWidget* window)
{
    const QPalette sys = QApplication::style()->standardPalette();
    const QColor buttonFace = sys.color(QPalette::Button);
    const QColor buttonShadow = sys.color(QPalette::Dark);
    const QColor windowColour = sys.color(QPalette::Base);
    const QColor windowText = sys.color(QPalette::Text);
    const QColor buttonText = sys.color(QPalette::ButtonText);
    const QColor activeCaption = sys.color(QPalette::Highlight);
    const QColor captionText = sys.color(QPalette::HighlightedText);

    Recolour(window, QPalette::Window, buttonFace);
    const QList<QWidget*> children = window->findChildren<QWidget*>();
    for (QWidget* w : children) {
        // Each rule that matches applies; the last one wins.
        if (w->inherits("TqelPanel") || (qobject_cast<QFrame*>(w) && !qobject_cast<QLabel*>(w) &&
                                         !qobject_cast<QAbstractScrollArea*>(w)))
            Recolour(w, QPalette::Window, buttonFace);
        if (qobject_cast<QAbstractItemView*>(w) && !qobject_cast<QTableView*>(w))
            Recolour(w, QPalette::Base, windowColour);
        if (qobject_cast<QTabBar*>(w) || w->inherits("TqelTabSetFlat"))
            Recolour(w, QPalette::Window, buttonFace, &buttonText);
        if (w->inherits("TqelClickableLabel") && Opaque(w))
            Recolour(w, QPalette::Window, captionText, &activeCaption);
        if (qobject_cast<QLabel*>(w) && Opaque(w))
            Recolour(w, QPalette::Window, buttonShadow, &windowColour);
        if (w->inherits("TqelHTMListbox") || w->inherits("TqelHTMSimplelistbox"))
            RecolourList(w, sys, activeCaption);
        if (qobject_cast<QComboBox*>(w))
            RecolourList(w, sys, windowText);
        if (auto* grid = qobject_cast<QTableView*>(w)) {
            Recolour(grid, QPalette::Base, windowColour, &windowText);
            for (QHeaderView* h : {grid->horizontalHeader(), grid->verticalHeader()})
                Recolour(h, QPalette::Button, buttonShadow, &windowColour);
        }
        if (w->inherits("qel::MarkupLabel") && Opaque(w))
            Recolour(w, QPalette::Window, windowColour, &windowText);
        if (w->inherits("TqelColorButton"))
            Recolour(w, QPalette::Button, buttonShadow, &windowColour);
        if (qobject_cast<QLineEdit*>(w))
            Recolour(w, QPalette::Base, windowColour, &windowText);
    }
}
