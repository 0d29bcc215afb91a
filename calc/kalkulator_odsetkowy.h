#pragma once

#include "widgets/form_storage.h"

#include <QDialog>

#include <memory>

class QLabel;
class TqelColorButton;
class TqelHTMSimplelistbox;
class TqelTabSetFlat;

namespace qel {
class CalcEdit;
class DateEdit;
}

// "Kalkulator odsetkowy": late-payment interest at the tax-arrears, statutory
// or a contractual rate, recomputed on every change, with the table of rates.
class TeKalkulatorOdsetkowy : public QDialog {
    Q_OBJECT

public:
    explicit TeKalkulatorOdsetkowy(QWidget* parent = nullptr);
    ~TeKalkulatorOdsetkowy() override;

    static QString storageKey();
    static QString storageSection();

public slots:
    void tsClick();
    void deChange();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillRateList();

    TqelTabSetFlat* ts;
    qel::CalcEdit* ceKwotaGlowna;
    qel::CalcEdit* ceJuzZaplacono;
    qel::DateEdit* deTErminPlatnosci;
    qel::DateEdit* deDataWystawienia;
    qel::CalcEdit* ceStopaOdsetek;
    QLabel* lbKiedy;
    QLabel* lbKiedy2;
    QLabel* lbIleDni;
    QLabel* lbOdsetki;
    QLabel* lbRazem;
    QLabel* lbRazemSlownie;
    TqelHTMSimplelistbox* lb;
    TqelColorButton* bZamknij;

    bool updating_ = false;
    std::unique_ptr<qel::FormStorage> storage_;
};
