#pragma once

#include <QWidget>

class QLabel;
class QMenu;
class QScrollArea;

// The launcher: a narrow window of clickable labels grouped under headings.
class TeMain : public QWidget {
    Q_OBJECT
public:
    explicit TeMain(QWidget* parent = nullptr);

    QMenu* mainMenu() const { return PopupMenu1; }

public slots:
    void FormShow();
    void qelClickableLabel2Click();
    void qelClickableLabel4Click();
    void qelClickableLabel8Click();
    void qelClickableLabel9Click();
    void qelClickableLabel10Click();
    void qelClickableLabel12Click();
    void qelClickableLabel13Click();
    void Edycjabazdanych1Click();
    void k1Click();
    void kontrahenci1Click();
    void Dziennik1Click();
    void Opcjekopiizapasowych1Click();
    void Opcjedrukowania1Click();
    void Automatycznaaktualizacja1Click();
    void bPomocTechnicznaClick();
    void Oprogramie1Click();
    void bZamowProgramyClick();
    void Zamknij1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void buildMenu();

    QMenu* PopupMenu1 = nullptr;
    QLabel* lbData = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
};
