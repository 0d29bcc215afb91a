#pragma once

#include <QDateTime>
#include <QWidget>

class QLabel;
class QProgressBar;
class QTimer;

// The small window that says what a long operation is doing. Created on first
// use and kept for the run; it hides itself shortly after the last report.
class TeDm_Splash : public QWidget {
    Q_OBJECT
public:
    explicit TeDm_Splash(QWidget* parent = nullptr);

    // The run's window; nullptr before its first use when create is false.
    static TeDm_Splash* Instance(bool create = true);

    void showText(const QString& text);
    void showWindow();
    void step(int position, int maximum);
    void end();

    QString text() const;
    QString remainingText() const;  // empty while the line is hidden
    bool progressVisible() const;
    int progressValue() const;
    int progressMaximum() const;
    int timerInterval() const;
    bool timerActive() const;

public slots:
    // The hiding timer's tick.
    void Timer1Timer();

private:
    void showIfHidden(const QString& text);
    void repaintNow();

    QLabel* lbProduct = nullptr;
    QLabel* lbDescription = nullptr;
    QLabel* lbVersion = nullptr;
    QLabel* lbRemaining = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* lbText = nullptr;
    QTimer* Timer1 = nullptr;
    QDateTime start_;
};

// The progress functions of long operations.
void ShowProgress(const QString& text);
void ShowProgressWindow();
void ProgressStep(int position, int maximum);
void EndProgress();

// Routes the progress notes of the database layer to this window.
void InstallProgressWindow();
