#pragma once

#include "calc/income_tax.h"
#include "widgets/form_storage.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class TqelColorButton;

namespace qel {
class CalcEdit;
}

// "Kalkulator podatkowy - wersja testowa": the income tax of 2002 from the
// salary or the annual income, recomputed on every change of an input.
class TeKalkulatorPodatkowy : public QDialog {
    Q_OBJECT

public:
    explicit TeKalkulatorPodatkowy(QWidget* parent = nullptr);
    ~TeKalkulatorPodatkowy() override;

    // The registry key and section its inputs are kept under.
    static QString storageKey();
    static QString storageSection();

public slots:
    void cbFormulaChange();
    // changed: the input the user changed; null when called directly.
    void deChange(QObject* changed);

protected:
    void showEvent(QShowEvent* event) override;

private:
    qel::CalcEdit* addAmount(const char* name);
    qel::CalcEdit* addPercent(const char* name, double value);
    IncomeTaxForm readForm() const;
    void writeDerived(const IncomeTaxForm& form);
    void setGreyed(qel::CalcEdit* edit, bool greyed);

    qel::CalcEdit* eWynagrodzenie;
    qel::CalcEdit* eBrutto;
    QComboBox* cbFormula;
    qel::CalcEdit* eKosztyUzyskania;
    qel::CalcEdit* eZUSemerytalnyProc;
    qel::CalcEdit* eZUSemerytalny;
    qel::CalcEdit* eZUSrentowyProc;
    qel::CalcEdit* eZUSrentowy;
    qel::CalcEdit* eZUSchorobowyProc;
    qel::CalcEdit* eZUSchorobowy;
    qel::CalcEdit* eZUSzdrowotnyProc;
    qel::CalcEdit* eZUSzdrowotny;
    QComboBox* cbRokPodatkowy;
    QComboBox* cbRodzajRyczaltu;
    QLabel* lbRodzajRyczaltu;
    QLabel* lbDochod;
    QLabel* lbPodatek;
    QLabel* lbNetto;
    QLabel* lbZUS;
    TqelColorButton* bZamknij;

    bool updating_ = false;
    std::unique_ptr<qel::FormStorage> storage_;
};
