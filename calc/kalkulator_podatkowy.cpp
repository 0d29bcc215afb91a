#include "calc/kalkulator_podatkowy.h"

#include "controls/color_button.h"
#include "widgets/calc_edit.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QString kAmountFormat = QStringLiteral(",0.00 zł");
const QString kPercentFormat = QStringLiteral("0.00%");
constexpr double kInputMaximum = static_cast<double>(kTaxInputMaximum);

QLabel* Caption(const char* name, const char* text, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLabel* Result(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

Money ToMoney(const qel::CalcEdit* edit)
{
    return Money::FromReal(edit->value());
}

}  // namespace

TeKalkulatorPodatkowy::TeKalkulatorPodatkowy(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TeKalkulatorPodatkowy"));
    setWindowTitle(QStringLiteral("Kalkulator podatkowy - wersja testowa"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    int row = 0;
    const auto addRow = [&](QLabel* label, QWidget* first, QWidget* second = nullptr) {
        grid->addWidget(label, row, 0);
        if (second) {
            grid->addWidget(first, row, 1);
            grid->addWidget(second, row, 2);
        } else {
            grid->addWidget(first, row, 1, 1, 2);
        }
        ++row;
    };

    cbRokPodatkowy = new QComboBox(this);
    cbRokPodatkowy->setObjectName(QStringLiteral("cbRokPodatkowy"));
    cbRokPodatkowy->addItem(QStringLiteral("2002"));
    addRow(Caption("lbOpisRokPodatkowy", "Rok podatkowy:", this), cbRokPodatkowy);

    cbFormula = new QComboBox(this);
    cbFormula->setObjectName(QStringLiteral("cbFormula"));
    cbFormula->addItems(TaxMethodNames());
    cbFormula->setCurrentIndex(static_cast<int>(TaxMethod::BusinessGeneral));
    addRow(Caption("lbOpisFormula", "Formuła naliczania:", this), cbFormula);

    cbRodzajRyczaltu = new QComboBox(this);
    cbRodzajRyczaltu->setObjectName(QStringLiteral("cbRodzajRyczaltu"));
    cbRodzajRyczaltu->addItems(FlatRateKindNames());
    lbRodzajRyczaltu = Caption("lbRodzajRyczaltu", "Rodzaj ryczałtu:", this);
    addRow(lbRodzajRyczaltu, cbRodzajRyczaltu);

    eWynagrodzenie = addAmount("eWynagrodzenie");
    addRow(Caption("lbOpisWynagrodzenie", "Wynagrodzenie miesięczne brutto:", this), eWynagrodzenie);
    eBrutto = addAmount("eBrutto");
    addRow(Caption("lbOpisBrutto", "Przychód roczny brutto:", this), eBrutto);
    eKosztyUzyskania = addAmount("eKosztyUzyskania");
    addRow(Caption("lbOpisKosztyUzyskania", "koszty uzyskania:", this), eKosztyUzyskania);

    const IncomeTaxForm defaults;
    eZUSemerytalnyProc = addPercent("eZUSemerytalnyProc", static_cast<double>(defaults.retirementPercent));
    eZUSemerytalny = addAmount("eZUSemerytalny");
    addRow(Caption("lbOpisZUSemerytalny", "ZUS emerytalny:", this), eZUSemerytalnyProc, eZUSemerytalny);
    eZUSrentowyProc = addPercent("eZUSrentowyProc", static_cast<double>(defaults.disabilityPercent));
    eZUSrentowy = addAmount("eZUSrentowy");
    addRow(Caption("lbOpisZUSrentowy", "ZUS rentowy:", this), eZUSrentowyProc, eZUSrentowy);
    eZUSchorobowyProc = addPercent("eZUSchorobowyProc", static_cast<double>(defaults.sicknessPercent));
    eZUSchorobowy = addAmount("eZUSchorobowy");
    addRow(Caption("lbOpisZUSchorobowy", "ZUS chorobowy i wypadkowy:", this), eZUSchorobowyProc, eZUSchorobowy);
    eZUSzdrowotnyProc = addPercent("eZUSzdrowotnyProc", static_cast<double>(defaults.healthPercent));
    eZUSzdrowotny = addAmount("eZUSzdrowotny");
    addRow(Caption("lbOpisZUSzdrowotny", "ZUS zdrowotny:", this), eZUSzdrowotnyProc, eZUSzdrowotny);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    grid->addWidget(line, row++, 0, 1, 3);

    lbDochod = Result("lbDochod", this);
    addRow(Caption("lbOpisDochod", "Dochód do opodatkowania:", this), lbDochod);
    lbPodatek = Result("lbPodatek", this);
    addRow(Caption("lbOpisPodatek", "Należny podatek:", this), lbPodatek);
    lbNetto = Result("lbNetto", this);
    addRow(Caption("lbOpisNetto", "Dochód netto:", this), lbNetto);
    lbZUS = Result("lbZUS", this);
    addRow(Caption("lbOpisZUS", "Suma wpłat do ZUS:", this), lbZUS);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    bZamknij = new TqelColorButton(this);
    bZamknij->setObjectName(QStringLiteral("bZamknij"));
    bZamknij->setKind(TqelColorButton::Kind::Close);
    bZamknij->setAutoDefault(false);  // Enter in an amount must not close the window
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bZamknij);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(480, sizeHint().height());

    for (qel::CalcEdit* edit : findChildren<qel::CalcEdit*>())
        connect(edit, &qel::CalcEdit::changed, this, [this, edit] { deChange(edit); });
    connect(cbFormula, &QComboBox::currentIndexChanged, this, &TeKalkulatorPodatkowy::cbFormulaChange);
    connect(cbRodzajRyczaltu, &QComboBox::currentIndexChanged, this, [this] { deChange(cbRodzajRyczaltu); });

    storage_ = std::make_unique<qel::FormStorage>(
        this, storageKey(), storageSection(),
        QStringList{QStringLiteral("eBrutto.Text"), QStringLiteral("eBrutto.Value"),
                    QStringLiteral("eZUSemerytalny.Text"), QStringLiteral("eZUSemerytalny.Value"),
                    QStringLiteral("eKosztyUzyskania.Text"), QStringLiteral("eKosztyUzyskania.Value"),
                    QStringLiteral("eZUSemerytalnyProc.Text"), QStringLiteral("eZUSemerytalnyProc.Value"),
                    QStringLiteral("eZUSzdrowotny.Text"), QStringLiteral("eZUSzdrowotny.Value"),
                    QStringLiteral("eZUSzdrowotnyProc.Text"), QStringLiteral("eZUSzdrowotnyProc.Value"),
                    QStringLiteral("cbRodzajRyczaltu.ItemIndex")});
    updating_ = true;  // restoring is not the user's input
    storage_->restore();
    updating_ = false;
    cbFormulaChange();
}

TeKalkulatorPodatkowy::~TeKalkulatorPodatkowy() = default;

QString TeKalkulatorPodatkowy::storageKey()
{
    return QStringLiteral("Software\\QEL\\Kalkulator");
}

QString TeKalkulatorPodatkowy::storageSection()
{
    return QStringLiteral("Kalkulator Podatkowy");
}

qel::CalcEdit* TeKalkulatorPodatkowy::addAmount(const char* name)
{
    auto* edit = new qel::CalcEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDisplayFormat(kAmountFormat);
    edit->setMaxValue(kInputMaximum);
    return edit;
}

qel::CalcEdit* TeKalkulatorPodatkowy::addPercent(const char* name, double value)
{
    qel::CalcEdit* edit = addAmount(name);
    edit->setDisplayFormat(kPercentFormat);
    edit->setValue(value);
    return edit;
}

void TeKalkulatorPodatkowy::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    cbFormulaChange();
}

IncomeTaxForm TeKalkulatorPodatkowy::readForm() const
{
    IncomeTaxForm f;
    f.method = static_cast<TaxMethod>(std::max(0, cbFormula->currentIndex()));
    f.flatRateKind = cbRodzajRyczaltu->currentIndex();
    f.monthlySalary = ToMoney(eWynagrodzenie);
    f.annualGross = ToMoney(eBrutto);
    f.costs = ToMoney(eKosztyUzyskania);
    f.retirementPercent = eZUSemerytalnyProc->value();
    f.disabilityPercent = eZUSrentowyProc->value();
    f.sicknessPercent = eZUSchorobowyProc->value();
    f.healthPercent = eZUSzdrowotnyProc->value();
    f.retirement = ToMoney(eZUSemerytalny);
    f.disability = ToMoney(eZUSrentowy);
    f.sickness = ToMoney(eZUSchorobowy);
    f.health = ToMoney(eZUSzdrowotny);
    return f;
}

void TeKalkulatorPodatkowy::writeDerived(const IncomeTaxForm& f)
{
    updating_ = true;
    eBrutto->setValue(f.annualGross.toDouble());
    eKosztyUzyskania->setValue(f.costs.toDouble());
    eZUSemerytalny->setValue(f.retirement.toDouble());
    eZUSrentowy->setValue(f.disability.toDouble());
    eZUSchorobowy->setValue(f.sickness.toDouble());
    eZUSzdrowotny->setValue(f.health.toDouble());
    updating_ = false;
}

void TeKalkulatorPodatkowy::setGreyed(qel::CalcEdit* edit, bool greyed)
{
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, greyed ? palette().color(QPalette::Window) : QColor(Qt::white));
    edit->setPalette(p);
}

void TeKalkulatorPodatkowy::cbFormulaChange()
{
    if (updating_)
        return;
    IncomeTaxForm f = readForm();
    const bool flatRate = f.method == TaxMethod::BusinessFlatRate;
    cbRodzajRyczaltu->setVisible(flatRate);
    lbRodzajRyczaltu->setVisible(flatRate);
    ApplyTaxMethod(f);
    writeDerived(f);
    setGreyed(eKosztyUzyskania, MethodFixesCosts(f.method));
    const bool fixed = MethodFixesContributions(f.method);
    for (qel::CalcEdit* e : {eZUSemerytalnyProc, eZUSemerytalny, eZUSrentowyProc, eZUSrentowy, eZUSchorobowyProc,
                             eZUSchorobowy, eZUSzdrowotnyProc, eZUSzdrowotny, eWynagrodzenie})
        setGreyed(e, fixed);
    deChange(nullptr);
}

void TeKalkulatorPodatkowy::deChange(QObject* changed)
{
    if (updating_)
        return;
    TaxInputChange change = TaxInputChange::Other;
    if (!changed)
        change = TaxInputChange::None;
    else if (changed == eWynagrodzenie)
        change = TaxInputChange::MonthlySalary;
    else if (changed == eZUSemerytalny)
        change = TaxInputChange::Retirement;
    else if (changed == eZUSzdrowotny)
        change = TaxInputChange::Health;
    IncomeTaxForm f = readForm();
    const IncomeTaxResult r = RecomputeIncomeTax(f, change, eWynagrodzenie->hasFocus());
    writeDerived(f);
    lbDochod->setText(FormatMoney(r.taxable));
    lbPodatek->setText(FormatMoney(r.tax));
    lbNetto->setText(FormatMoney(r.net));
    lbZUS->setText(FormatMoney(r.zusTotal));
}
