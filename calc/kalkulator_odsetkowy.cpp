#include "calc/kalkulator_odsetkowy.h"

#include "calc/late_payment.h"
#include "controls/color_button.h"
#include "controls/tab_set_flat.h"
#include "platform/clock.h"
#include "print/htm_listbox.h"
#include "widgets/calc_edit.h"
#include "widgets/date_edit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel* NamedLabel(const char* name, const char* text, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLabel* BoldLabel(const char* name, QWidget* parent)
{
    QLabel* label = NamedLabel(name, "", parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

qel::CalcEdit* AmountEdit(const char* name, QWidget* parent)
{
    auto* edit = new qel::CalcEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDisplayFormat(QStringLiteral(",0.00 zł"));
    return edit;
}

qel::DateEdit* DateInput(const char* name, QWidget* parent)
{
    auto* edit = new qel::DateEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setQDate(qel::Today());
    return edit;
}

}  // namespace

TeKalkulatorOdsetkowy::TeKalkulatorOdsetkowy(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TeKalkulatorOdsetkowy"));
    setWindowTitle(QStringLiteral("Kalkulator odsetkowy"));

    ts = new TqelTabSetFlat(this);
    ts->setObjectName(QStringLiteral("ts"));
    ts->setItems({QStringLiteral(" Podatkowe "), QStringLiteral(" Ustawowe (cywilne)"),
                  QStringLiteral(" Umowne (liniowe)")});

    ceKwotaGlowna = AmountEdit("ceKwotaGlowna", this);
    ceKwotaGlowna->setMaxValue(2147483647.0);
    ceJuzZaplacono = AmountEdit("ceJuzZaplacono", this);
    deTErminPlatnosci = DateInput("deTErminPlatnosci", this);
    deDataWystawienia = DateInput("deDataWystawienia", this);
    ceStopaOdsetek = AmountEdit("ceStopaOdsetek", this);
    ceStopaOdsetek->setDisplayFormat(QStringLiteral("0.00% rocznie"));
    ceStopaOdsetek->setValue(24);
    lbKiedy = NamedLabel("lbKiedy", "", this);
    lbKiedy2 = NamedLabel("lbKiedy2", "", this);
    lbIleDni = NamedLabel("lbIleDni", "", this);
    lbOdsetki = BoldLabel("lbOdsetki", this);
    lbRazem = BoldLabel("lbRazem", this);
    lbRazemSlownie = NamedLabel("lbRazemSlownie", "", this);
    lbRazemSlownie->setWordWrap(true);
    lb = new TqelHTMSimplelistbox(this);
    lb->setObjectName(QStringLiteral("lb"));
    lb->setMinusRed(true);
    lb->setSelectionInvisible(true);
    lb->setFixedHeight(120);
    bZamknij = new TqelColorButton(this);
    bZamknij->setObjectName(QStringLiteral("bZamknij"));
    bZamknij->setKind(TqelColorButton::Kind::Close);
    bZamknij->setAutoDefault(false);  // Enter in an amount must not close the window

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    int row = 0;
    grid->addWidget(NamedLabel("lbOpisKwotaGlowna", "Należność główna:", this), row, 0);
    grid->addWidget(ceKwotaGlowna, row++, 1);
    grid->addWidget(NamedLabel("lbOpisJuzZaplacono", "Już zapłacono:", this), row, 0);
    grid->addWidget(ceJuzZaplacono, row++, 1);
    grid->addWidget(NamedLabel("lbOpisTerminPlatnosci", "Odsetki liczone od dnia:", this), row, 0);
    grid->addWidget(deTErminPlatnosci, row, 1);
    grid->addWidget(lbKiedy, row++, 2);
    grid->addWidget(NamedLabel("lbOpisDataWystawienia", "Do dnia:", this), row, 0);
    grid->addWidget(deDataWystawienia, row, 1);
    grid->addWidget(lbKiedy2, row++, 2);
    grid->addWidget(ceStopaOdsetek, row, 1);
    grid->addWidget(lbIleDni, row++, 2);
    grid->addWidget(NamedLabel("lbOpisOdsetki", "Należne odsetki:", this), row, 0);
    grid->addWidget(lbOdsetki, row++, 1);
    grid->addWidget(NamedLabel("lbOpisRazem", "Razem do zapłaty:", this), row, 0);
    grid->addWidget(lbRazem, row++, 1);
    grid->addWidget(lbRazemSlownie, row++, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setColumnMinimumWidth(1, 150);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bZamknij);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(9, 6, 9, 9);
    body->addLayout(grid);
    body->addWidget(lb);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ts);
    layout->addLayout(body);
    resize(460, sizeHint().height());

    connect(ts, &TqelTabSetFlat::clicked, this, &TeKalkulatorOdsetkowy::tsClick);
    for (qel::CalcEdit* e : {ceKwotaGlowna, ceJuzZaplacono, ceStopaOdsetek})
        connect(e, &qel::CalcEdit::changed, this, &TeKalkulatorOdsetkowy::deChange);
    for (qel::DateEdit* e : {deTErminPlatnosci, deDataWystawienia})
        connect(e, &qel::DateEdit::changed, this, &TeKalkulatorOdsetkowy::deChange);

    storage_ = std::make_unique<qel::FormStorage>(
        this, storageKey(), storageSection(),
        QStringList{QStringLiteral("ceKwotaGlowna.Text"), QStringLiteral("ceKwotaGlowna.Value"),
                    QStringLiteral("ceStopaOdsetek.Text"), QStringLiteral("ceStopaOdsetek.Value"),
                    QStringLiteral("ceJuzZaplacono.Text"), QStringLiteral("ceJuzZaplacono.Value"),
                    QStringLiteral("deTErminPlatnosci.Text"), QStringLiteral("ts.TabIndex")});
    updating_ = true;  // restoring is not the user's input
    storage_->restore();
    updating_ = false;
    tsClick();
}

TeKalkulatorOdsetkowy::~TeKalkulatorOdsetkowy() = default;

QString TeKalkulatorOdsetkowy::storageKey()
{
    return QStringLiteral("Software\\QEL\\Kalkulator");
}

QString TeKalkulatorOdsetkowy::storageSection()
{
    return QStringLiteral("KalkulatorOdsetkowy");
}

void TeKalkulatorOdsetkowy::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    deChange();
}

void TeKalkulatorOdsetkowy::fillRateList()
{
    lb->clear();
    for (const RateLine& line : RateListLines(ts->tabIndex())) {
        auto* item = new QListWidgetItem(line.text);
        item->setData(Qt::UserRole, line.row);
        lb->addItem(item);
    }
}

void TeKalkulatorOdsetkowy::tsClick()
{
    if (updating_)
        return;
    ceStopaOdsetek->setVisible(ts->tabIndex() == lpContractual);
    fillRateList();
    deChange();
}

void TeKalkulatorOdsetkowy::deChange()
{
    if (updating_)
        return;
    LatePaymentInput in;
    in.tab = ts->tabIndex();
    in.principal = Money::FromReal(ceKwotaGlowna->value());
    in.paid = Money::FromReal(ceJuzZaplacono->value());
    in.start = deTErminPlatnosci->date();
    in.end = deDataWystawienia->date();
    in.annualRate = Money::FromReal(ceStopaOdsetek->value());
    const LatePaymentResult r = ComputeLatePayment(in);
    lbKiedy->setText(r.startPhrase);
    lbKiedy2->setText(r.endPhrase);
    lbIleDni->setText(r.days);
    lbOdsetki->setText(FormatMoney(r.interest));
    lbRazem->setText(FormatMoney(r.total));
    lbRazemSlownie->setText(r.totalInWords);
}
