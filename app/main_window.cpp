#include "app/main_window.h"

#include "app/launcher_actions.h"
#include "controls/clickable_label.h"
#include "controls/qel_panel.h"
#include "core/app_state.h"
#include "platform/clock.h"
#include "platform/datetime.h"
#include "text/dates.h"
#include "widgets/markup_label.h"

#include <QAction>
#include <QDesktopServices>
#include <QUrl>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

const QColor kTitleColour(0x89, 0x3A, 0x3A);
const QColor kDateColour(0x63, 0x8D, 0x68);
const QColor kLauncherColour(0xF0, 0xF2, 0xE3);
const QColor kBackgroundColour(0xCF, 0xD8, 0xAB);

QFont LauncherFont()
{
    QFont f(QFontDatabase::families().contains(QStringLiteral("Tahoma")) ? QStringLiteral("Tahoma")
                                                                         : QStringLiteral("Sans Serif"));
    f.setPixelSize(11);
    return f;
}

// The program's logo: a dark red tile with the initial, 49 x 44.
QPixmap Logo()
{
    QPixmap pm(49, 44);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(kTitleColour);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 2, 45, 40), 6, 6);
    QFont f(QStringLiteral("Serif"));
    f.setPixelSize(30);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(2, 2, 45, 40), Qt::AlignCenter, QStringLiteral("M"));
    return pm;
}

void Fill(QWidget* w, const QColor& colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

}  // namespace

TeMain::TeMain(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("eMain"));
    setWindowTitle(QStringLiteral("Mirtal"));
    setFont(LauncherFont());
    setFixedSize(251, 350);
    Fill(this, Qt::white);

    auto* qelPanel1 = new QWidget(this);
    qelPanel1->setObjectName(QStringLiteral("qelPanel1"));
    Fill(qelPanel1, kBackgroundColour);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(qelPanel1);
    auto* column = new QVBoxLayout(qelPanel1);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // 1. Header: logo and the product notice.
    auto* Panel5 = new QWidget(qelPanel1);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setFixedHeight(52);
    Fill(Panel5, Qt::white);
    auto* header = new QHBoxLayout(Panel5);
    header->setContentsMargins(4, 4, 4, 4);
    header->setSpacing(4);
    auto* Image1 = new QLabel(Panel5);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(Logo());
    Image1->setFixedSize(49, 44);
    header->addWidget(Image1);
    auto* lbNaglowek = new qel::MarkupLabel(Panel5);
    lbNaglowek->setObjectName(QStringLiteral("lbNaglowek"));
    lbNaglowek->setWordWrap(true);
    lbNaglowek->setText(QStringLiteral("<b>Mirtal</b><br>Program firmy QEL<br>"
                                       "<a href=\"https://www.qel.pl\">www.qel.pl</a> "
                                       "<a href=\"mailto:qel@qel.pl\">qel@qel.pl</a>"));
    connect(lbNaglowek, &qel::MarkupLabel::linkClicked, this,
            [](const QString& href) { QDesktopServices::openUrl(QUrl(href)); });
    header->addWidget(lbNaglowek, 1);
    column->addWidget(Panel5);

    buildMenu();

    // 2. Title label.
    auto* title = new TqelClickableLabel(QStringLiteral("Mirtal"), qelPanel1);
    title->setObjectName(QStringLiteral("qelClickableLabel1"));
    title->setColor(kTitleColour);
    title->setDotLeft(true);
    title->setHover(true);
    title->setDropDownMenu(PopupMenu1);
    QFont bold = font();
    bold.setBold(true);
    title->setFont(bold);
    QPalette white = title->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    title->setPalette(white);
    title->setFixedHeight(17);
    column->addWidget(title);

    // 3. The launcher area.
    auto* qelPanel2 = new TqelPanel(qelPanel1);
    qelPanel2->setObjectName(QStringLiteral("qelPanel2"));
    Fill(qelPanel2, kLauncherColour);
    auto* area = new QVBoxLayout(qelPanel2);
    area->setContentsMargins(12, 12, 12, 12);
    ScrollBox1 = new QScrollArea(qelPanel2);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ScrollBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(ScrollBox1->mapToGlobal(at)); });
    auto* labels = new QWidget;
    labels->setObjectName(QStringLiteral("ScrollBoxContents"));
    Fill(labels, kLauncherColour);
    labels->setFixedHeight(194);
    ScrollBox1->setWidget(labels);
    ScrollBox1->setWidgetResizable(true);
    area->addWidget(ScrollBox1);
    column->addWidget(qelPanel2, 1);

    struct Entry {
        const char* name;
        const char* caption;
        void (TeMain::*click)();  // null: a heading
        bool enabled;
    };
    const Entry entries[] = {
        {"qelClickableLabel7", "Kalkulator", nullptr, true},
        {"qelClickableLabel4", "Odsetki za zwłokę", &TeMain::qelClickableLabel4Click, true},
        {"qelClickableLabel2", "Kredyt", &TeMain::qelClickableLabel2Click, true},
        {"bNowaDelegacjia", "Lokata", nullptr, false},
        {"qelClickableLabel5", "Podatki", nullptr, true},
        {"qelClickableLabel8", "Podatek dochodowy", &TeMain::qelClickableLabel8Click, true},
        {"qelClickableLabel6", "Tabela wynagrodzeń", nullptr, false},
        {"qelClickableLabel3", "Księgowanie", nullptr, true},
        {"qelClickableLabel10", "Wezwanie do potwierdzenia salda", &TeMain::qelClickableLabel10Click, true},
        {"qelClickableLabel9", "Wezwanie do zapłaty...", &TeMain::qelClickableLabel9Click, true},
        {"qelClickableLabel11", "Waluty", nullptr, true},
        {"qelClickableLabel13", "Kursy walut", &TeMain::qelClickableLabel13Click, true},
        {"qelClickableLabel12", "Pobierz kursy walut z NBP", &TeMain::qelClickableLabel12Click, true},
    };
    auto* list = new QVBoxLayout(labels);
    list->setContentsMargins(0, 0, 0, 0);
    list->setSpacing(0);
    auto addLabel = [&](const QString& name, const QString& caption, bool heading) {
        auto* l = new TqelClickableLabel(caption, labels);
        l->setObjectName(name);
        if (heading) {
            l->setFont(bold);
            l->setFixedHeight(15);
        } else {
            l->setDotLeft(true);
            l->setArrowRightDouble(true);
            l->setDropArrowRight(true);
            l->setHover(true);
            l->setFixedHeight(13);
        }
        list->addWidget(l);
        return l;
    };
    for (const Entry& e : entries) {
        const bool action = e.click != nullptr || !e.enabled;
        TqelClickableLabel* l = addLabel(QString::fromUtf8(e.name), QString::fromUtf8(e.caption), !action);
        l->setEnabled(e.enabled);
        if (e.click)
            connect(l, &TqelClickableLabel::clicked, this, e.click);
    }
    TqelClickableLabel* bInne = addLabel(QStringLiteral("bInne"), QStringLiteral("Inne funkcje"), true);
    bInne->setDropDownMenu(PopupMenu1);
    list->addStretch(1);

    // 4. Today's date.
    auto* date = new TqelClickableLabel(qelPanel1);
    date->setObjectName(QStringLiteral("lbData"));
    date->setAlignment(Qt::AlignCenter);
    date->setFont(bold);
    date->setColor(kDateColour);
    date->setHover(true);
    date->setPalette(white);
    date->setDropDownMenu(PopupMenu1);
    date->setFixedHeight(14);
    lbData = date;
    column->addWidget(date);

    FormCreate();
}

void TeMain::buildMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    struct Item {
        const char* name;
        const char* caption;
        void (TeMain::*click)();  // null: a separator
    };
    const Item items[] = {
        {"Edycjabazdanych1", "Edycja baz danych...", &TeMain::Edycjabazdanych1Click},
        {"k1", "użytkownicy...", &TeMain::k1Click},
        {"kontrahenci1", "kontrahenci...", &TeMain::kontrahenci1Click},
        {"N7", "-", nullptr},
        {"Dziennik1", "Dziennik...", &TeMain::Dziennik1Click},
        {"N1", "-", nullptr},
        {"Opcjekopiizapasowych1", "Opcje &kopii zapasowych...", &TeMain::Opcjekopiizapasowych1Click},
        {"Opcjedrukowania1", "Opcje &drukowania...", &TeMain::Opcjedrukowania1Click},
        {"N2", "-", nullptr},
        {"Automatycznaaktualizacja1", "&Automatyczna aktualizacja...", &TeMain::Automatycznaaktualizacja1Click},
        {"Kontakttechniczny1", "&Kontakt techniczny...", &TeMain::bPomocTechnicznaClick},
        {"N5", "-", nullptr},
        {"Oprogramie1", "&O programie...", &TeMain::Oprogramie1Click},
        {"Zamwnaszeprogramy1", "&Zamów nasze programy...", &TeMain::bZamowProgramyClick},
        {"N3", "-", nullptr},
        {"Zamknij1", "Zamknij", &TeMain::Zamknij1Click},
    };
    for (const Item& it : items) {
        QAction* a = it.click ? PopupMenu1->addAction(QString::fromUtf8(it.caption)) : PopupMenu1->addSeparator();
        a->setObjectName(QString::fromUtf8(it.name));
        if (it.click)
            connect(a, &QAction::triggered, this, it.click);
    }
}

void TeMain::FormCreate()
{
    qel::SetPickContractorEveryTime(true);
}

void TeMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TeMain::FormShow()
{
    lbData->setText(LongDateText(qel::ToDateTime(qel::Today())));
}

void TeMain::qelClickableLabel2Click() { OpenFunction(LauncherFunction::Loan, this); }
void TeMain::qelClickableLabel4Click() { OpenFunction(LauncherFunction::InterestCalculator, this); }
void TeMain::qelClickableLabel8Click() { OpenFunction(LauncherFunction::IncomeTax, this); }
void TeMain::qelClickableLabel9Click() { OpenFunction(LauncherFunction::DemandLetter, this); }
void TeMain::qelClickableLabel10Click() { OpenFunction(LauncherFunction::BalanceConfirmation, this); }
void TeMain::qelClickableLabel12Click() { OpenFunction(LauncherFunction::RateDownload, this); }
void TeMain::qelClickableLabel13Click() { OpenFunction(LauncherFunction::Rates, this); }
void TeMain::Edycjabazdanych1Click() { OpenFunction(LauncherFunction::DatabasesTool, this); }
void TeMain::k1Click() { OpenFunction(LauncherFunction::Users, this); }
void TeMain::kontrahenci1Click() { OpenFunction(LauncherFunction::Contractors, this); }
void TeMain::Dziennik1Click() { OpenFunction(LauncherFunction::Journal, this); }
void TeMain::Opcjekopiizapasowych1Click() { OpenFunction(LauncherFunction::BackupOptions, this); }
void TeMain::Opcjedrukowania1Click() { OpenFunction(LauncherFunction::PrintOptions, this); }
void TeMain::Automatycznaaktualizacja1Click() { OpenFunction(LauncherFunction::AutoUpdate, this); }
void TeMain::bPomocTechnicznaClick() { OpenFunction(LauncherFunction::TechnicalContact, this); }
void TeMain::Oprogramie1Click() { OpenFunction(LauncherFunction::About, this); }
void TeMain::bZamowProgramyClick() { OpenFunction(LauncherFunction::OrderForm, this); }

void TeMain::Zamknij1Click()
{
    close();
}
