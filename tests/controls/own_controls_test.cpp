#include "controls/clickable_label.h"
#include "controls/color_button.h"
#include "controls/control_colors.h"
#include "controls/qel_panel.h"
#include "controls/separator.h"
#include "core/interaction.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

void Mouse(QWidget* w, QEvent::Type type)
{
    const QPointF p(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent e(type, p, w->mapToGlobal(p), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void MouseClick(QWidget* w)
{
    Mouse(w, QEvent::MouseButtonPress);
    Mouse(w, QEvent::MouseButtonRelease);
}

// The darkest grey level among the pixels of a rendered widget.
int DarkestLevel(QWidget& w)
{
    const QImage img = w.grab().toImage();
    int darkest = 255;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            darkest = std::min(darkest, qGray(img.pixel(x, y)));
    return darkest;
}

// Counts how often a label fired its click.
struct ClickCount {
    explicit ClickCount(TqelClickableLabel* label)
    {
        QObject::connect(label, &TqelClickableLabel::clicked, [this] { ++n; });
    }
    int count() const { return n; }
    int n = 0;
};

}  // namespace

TEST(ControlColours, LighterAndDarkerScaleEachChannel)
{
    struct Case {
        QRgb in, lighter, darker;
    } cases[] = {
        {qRgb(100, 200, 250), qRgb(105, 210, 255), qRgb(95, 190, 238)},
        {qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(243, 243, 243)},
        {qRgb(0, 0, 0), qRgb(0, 0, 0), qRgb(0, 0, 0)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qel::Lighter(QColor(c.in)).rgb(), QColor(c.lighter).rgb());
        EXPECT_EQ(qel::Darker(QColor(c.in)).rgb(), QColor(c.darker).rgb());
    }
}

TEST(ClickableLabel, MouseAndClickSlotFireTheClick)
{
    TqelClickableLabel label(QStringLiteral("&Wezwanie do zapłaty..."));
    label.resize(200, 20);
    ClickCount spy(&label);
    MouseClick(&label);
    label.click();
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(label.visibleText(), QStringLiteral("Wezwanie do zapłaty..."));
    EXPECT_FALSE(label.isPressed());
}

TEST(ClickableLabel, DisabledLabelIsGreyAndDoesNotReact)
{
    QWidget parent;
    parent.resize(220, 30);
    auto* label = new TqelClickableLabel(QStringLiteral("Kalkulator odsetkowy"), &parent);
    label->setDotLeft(true);
    label->setGeometry(0, 0, 220, 30);
    ClickCount spy(label);
    EXPECT_LT(DarkestLevel(*label), 0x40);
    label->setEnabled(false);
    MouseClick(label);
    label->click();
    EXPECT_EQ(spy.count(), 0);
    EXPECT_GE(DarkestLevel(*label), 0x80);
}

TEST(ClickableLabel, DropDownMenuOpensOnPressInsteadOfClicking)
{
    QWidget window;
    window.resize(300, 100);
    auto* label = new TqelClickableLabel(QStringLiteral("Opcje|więcej"), &window);
    label->setGeometry(10, 10, 200, 20);
    QMenu menu;
    menu.addAction(QStringLiteral("Pierwsza"));
    label->setDropDownMenu(&menu);
    window.show();
    ClickCount spy(label);
    Mouse(label, QEvent::MouseButtonPress);
    EXPECT_TRUE(menu.isVisible());
    Mouse(label, QEvent::MouseButtonRelease);
    EXPECT_EQ(spy.count(), 0);
    menu.hide();
}

TEST(ClickableLabel, MenuEntriesWithoutHandlers)
{
    TqelClickableLabel label(QStringLiteral("Menu"));
    QLineEdit edit;
    QMenu menu;
    QMenu* sub = menu.addMenu(QStringLiteral("Dalej"));
    QAction* hinted = sub->addAction(QStringLiteral("Z podpowiedzią"));
    hinted->setStatusTip(QStringLiteral("Krótko|Długie wyjaśnienie"));
    QAction* handled = menu.addAction(QStringLiteral("Własna"));
    handled->setStatusTip(QStringLiteral("nie pokazywać"));
    int ownRuns = 0;
    QObject::connect(handled, &QAction::triggered, [&] { ++ownRuns; });
    QAction* plain = menu.addAction(QStringLiteral("&Warszawa"));
    label.setDropDownMenu(&menu);

    qel::ScriptedPrompts script;
    hinted->trigger();
    ASSERT_EQ(script.asked().size(), 1);
    EXPECT_EQ(script.asked()[0].text, QStringLiteral("Krótko"));
    EXPECT_EQ(script.asked()[0].detail, QStringLiteral("Długie wyjaśnienie"));
    handled->trigger();
    EXPECT_EQ(ownRuns, 1);
    EXPECT_EQ(script.asked().size(), 1);

    label.setActAsComboToEdit(true);
    label.setFocusControl(&edit);
    plain->trigger();
    EXPECT_EQ(edit.text(), QStringLiteral("Warszawa"));
    hinted->trigger();
    EXPECT_EQ(edit.text(), QStringLiteral("Krótko|Długie wyjaśnienie"));
    EXPECT_EQ(script.asked().size(), 1);
}

TEST(ClickableLabel, PanelCollapsesAndRestores)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* label = new TqelClickableLabel(QStringLiteral("Szczegóły"));
    auto* panel = new TqelPanel;
    panel->setFixedHeight(120);
    layout->addWidget(label);
    layout->addWidget(panel);
    label->setFocusControl(panel);
    window.show();
    ASSERT_TRUE(panel->isExpanded());
    label->click();
    EXPECT_EQ(panel->height(), 1);
    EXPECT_EQ(panel->restoreHeight(), 120);
    EXPECT_FALSE(panel->isExpanded());
    label->click();
    EXPECT_EQ(panel->height(), 120);
    EXPECT_TRUE(panel->isExpanded());
}

TEST(Panel, ScrollRangeFollowsCollapsing)
{
    QScrollArea area;
    area.resize(200, 150);
    area.setWidgetResizable(true);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QList<TqelPanel*> panels;
    for (int i = 0; i < 3; ++i) {
        auto* p = new TqelPanel;
        p->setFixedHeight(100);
        layout->addWidget(p);
        panels.append(p);
    }
    area.setWidget(content);
    area.show();
    QApplication::processEvents();
    const int before = area.verticalScrollBar()->maximum();
    EXPECT_EQ(before, 300 - area.viewport()->height());
    panels[0]->collapse();
    EXPECT_EQ(area.verticalScrollBar()->maximum(), before - 99);
    panels[0]->expand();
    EXPECT_EQ(area.verticalScrollBar()->maximum(), before);
}

TEST(InfoLabel, ShowsItsTextOrSaysThereIsNoHelp)
{
    qel::ScriptedPrompts script;
    TQelInfoLabel info;
    EXPECT_EQ(info.text(), QStringLiteral("?"));
    EXPECT_EQ(info.size(), QSize(17, 15));
    info.InfoText = {QStringLiteral("Pierwsza linia"), QStringLiteral("druga")};
    info.click();
    ASSERT_EQ(script.asked().size(), 1);
    EXPECT_EQ(script.asked()[0].text, QStringLiteral("*Pierwsza linia"));
    EXPECT_EQ(script.asked()[0].detail, QStringLiteral("druga"));

    info.InfoText.clear();
    info.click();
    ASSERT_EQ(script.asked().size(), 2);
    EXPECT_TRUE(script.asked()[1].text.startsWith(u'*'));

    // With a click handler the handler answers instead of the notice.
    ClickCount spy(&info);
    info.click();
    EXPECT_EQ(script.asked().size(), 2);
    EXPECT_EQ(spy.count(), 1);
}

TEST(ColorButton, KindsSetCaptionRoleAndResult)
{
    using K = TqelColorButton::Kind;
    struct Case {
        K kind;
        const char* caption;
        int result;
        bool isDefault;
        bool cancel;
    } cases[] = {
        {K::OK, "OK", qel::mrOk, true, false},          {K::Cancel, "Anuluj", qel::mrCancel, false, true},
        {K::Yes, "&Tak", qel::mrYes, true, false},      {K::No, "&Nie", qel::mrNo, false, true},
        {K::Abort, "&Przerwij", qel::mrAbort, false, false}, {K::Retry, "Powtó&rz", qel::mrRetry, false, false},
        {K::Ignore, "&Ignoruj", qel::mrIgnore, false, false}, {K::Help, "Pomo&c", qel::mrNone, false, false},
        {K::Close, "&Zamknij", qel::mrNone, false, false},
    };
    for (const Case& c : cases) {
        QDialog dialog;
        auto* b = new TqelColorButton(&dialog);
        b->setKind(c.kind);
        EXPECT_EQ(b->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(b->modalResult(), c.result) << c.caption;
        EXPECT_EQ(b->isDefault(), c.isDefault) << c.caption;
        EXPECT_EQ(b->isCancel(), c.cancel) << c.caption;
        dialog.show();
        b->click();
        if (c.result != qel::mrNone) {
            EXPECT_EQ(dialog.result(), c.result) << c.caption;
        }
        EXPECT_EQ(dialog.isVisible(), c.result == qel::mrNone && c.kind != K::Close) << c.caption;
    }
}

TEST(ColorButton, FaceIsDarkerUnderTheMouseAndCaptionLineBreaks)
{
    QWidget parent;
    auto* b = new TqelColorButton(QStringLiteral("Dwie\\nlinie"), &parent);
    b->setGeometry(0, 0, 120, 40);
    EXPECT_EQ(b->visibleText(), QStringLiteral("Dwie linie"));
    b->setSingleLine(false);
    EXPECT_EQ(b->visibleText(), QStringLiteral("Dwie\nlinie"));
    const QPoint face(4, 20);
    EXPECT_EQ(b->grab().toImage().pixel(face), qRgb(255, 255, 255));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(b, &enter);
    EXPECT_TRUE(b->isMouseOver());
    EXPECT_EQ(b->grab().toImage().pixel(face), qel::Darker(Qt::white).rgb());
}

TEST(Separator, PaintsItsColour)
{
    TqelSeparator sep;
    sep.resize(1, 20);
    EXPECT_EQ(sep.width(), 1);
    EXPECT_EQ(sep.grab().toImage().pixel(0, 10), qRgb(0x2E, 0x7C, 0x73));
    TqelSeparator across(Qt::Horizontal);
    EXPECT_EQ(across.maximumHeight(), 1);
}
