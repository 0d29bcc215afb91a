#pragma once

#include "core/interaction.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QProgressBar;
class QTimer;
class QWidget;
class TqelClickableLabel;
class TQelInfoLabel;
class TqelColorButton;
namespace qel {
class MarkupLabel;
}

// The one window of every message, warning and question. It counts down and
// answers by itself after the time-out (the prompt's safe answer), writing the
// unanswered message to "!Stracone komunikaty.log".
class TeQelWarningDialog : public QDialog {
    Q_OBJECT
public:
    explicit TeQelWarningDialog(QWidget* parent = nullptr);

    // Fills the window from a Message prompt: markers, texts, buttons, count-down.
    void Setup(const qel::Prompt& prompt);
    // The same from one message string, as QelMessage splits it; a key offers
    // the don't-show-again check box.
    void SetupFromMessage(const QString& message, const QString& key = {}, const QString& info = {});

    bool dontShowAgain() const;
    int remainingTicks() const { return counter_; }
    int tickCount() const { return tick_; }
    QString labelText() const;

    // The seam's message window: shows the dialog modally for the prompt.
    static qel::Reply Run(const qel::Prompt& prompt);

public slots:
    // One 200 ms step of the count-down.
    void Timer1Timer();
    // bStoj, the background and the count-down label: the count-down stops for good.
    void bStojClick();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cbDontShowAgainClick(bool checked);
    void fitHeight();
    void writeLostMessage();

    QWidget* Panel2 = nullptr;
    QLabel* iInfo = nullptr;
    QLabel* iStop = nullptr;
    QLabel* iWykrzyknik = nullptr;
    QLabel* iQuestion = nullptr;
    QProgressBar* Gauge1 = nullptr;
    QWidget* panelLB = nullptr;
    qel::MarkupLabel* lb = nullptr;
    QWidget* pBottom = nullptr;
    QLabel* lbCzas = nullptr;
    TQelInfoLabel* lbInfo = nullptr;
    QCheckBox* cbDontShowAgain = nullptr;
    TqelColorButton* bAnuluj = nullptr;
    TqelColorButton* bOK = nullptr;
    TqelColorButton* bStoj = nullptr;
    QTimer* Timer1 = nullptr;

    int counter_ = -1;
    int tick_ = 0;
    int safeResult_ = qel::mrOk;
    QString key_ = QStringLiteral("-");
};

namespace qel {
// The time-out in seconds as count-down ticks of the dialog's timer.
int TimeoutTicks(int seconds);
}

// Makes TeQelWarningDialog the window that answers the seam's Message prompts.
// Start-up and the snapshot tool call it once.
void InstallMessageDialog();
