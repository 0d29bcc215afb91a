#include "print/splash.h"

#include "core/progress_note.h"
#include "platform/app_identity.h"
#include "platform/clock.h"
#include "platform/datetime.h"
#include "print/markup_layout.h"
#include "text/dates.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kHideInterval = 500;
constexpr int kEndInterval = 10;

QPointer<TeDm_Splash>& TheSplash()
{
    static QPointer<TeDm_Splash> splash;
    return splash;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

}  // namespace

TeDm_Splash::TeDm_Splash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TeDm_Splash"));
    setFixedSize(474, 154);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    const TNazwaAplikacji id = qel::OwnApplicationIdentity();
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(12, 8, 12, 4);
    auto* texts = new QVBoxLayout;
    lbProduct = NewLabel(this, "lbProduct", id.productName);
    QFont big = lbProduct->font();
    big.setPointSize(20);
    big.setBold(true);
    lbProduct->setFont(big);
    texts->addWidget(lbProduct);
    lbDescription = NewLabel(this, "lbDescription", id.fileDescription);
    lbDescription->setAutoFillBackground(true);
    QPalette light = lbDescription->palette();
    light.setColor(QPalette::Window, QColor(0xE1, 0xEA, 0xF2));
    lbDescription->setPalette(light);
    texts->addWidget(lbDescription);
    lbVersion = NewLabel(this, "lbVersion",
                         QStringLiteral("   wersja ") + id.version + QStringLiteral("   z ") + id.comments);
    QFont bold = lbVersion->font();
    bold.setBold(true);
    lbVersion->setFont(bold);
    lbVersion->setWordWrap(true);
    texts->addWidget(lbVersion);
    lbRemaining = NewLabel(this, "lbRemaining", QString());
    lbRemaining->hide();
    texts->addWidget(lbRemaining);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedHeight(10);
    ProgressBar1->hide();
    texts->addWidget(ProgressBar1);
    texts->addStretch(1);
    body->addLayout(texts, 1);
    qel::LoadPrintResources();
    auto* picture = NewLabel(this, "Image1", QString());
    picture->setPixmap(QPixmap(QStringLiteral(":/markup/qel.png")));
    picture->setAlignment(Qt::AlignTop | Qt::AlignRight);
    body->addWidget(picture);
    outer->addLayout(body, 1);
    lbText = NewLabel(this, "lbText", QStringLiteral(" Odczytuję dane..."));
    lbText->setFont(bold);
    lbText->setAutoFillBackground(true);
    QPalette dark = lbText->palette();
    dark.setColor(QPalette::Window, QColor(0x2E, 0x7C, 0x73));
    dark.setColor(QPalette::WindowText, QColor(0xF0, 0xF2, 0xE3));
    lbText->setPalette(dark);
    lbText->setContentsMargins(2, 3, 2, 3);
    outer->addWidget(lbText);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(kHideInterval);
    connect(Timer1, &QTimer::timeout, this, &TeDm_Splash::Timer1Timer);
}

TeDm_Splash* TeDm_Splash::Instance(bool create)
{
    QPointer<TeDm_Splash>& splash = TheSplash();
    if (!splash && create) {
        splash = new TeDm_Splash;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, splash, &QObject::deleteLater);
    }
    return splash;
}

void TeDm_Splash::showIfHidden(const QString& text)
{
    if (isVisible())
        return;
    if (!text.isNull())
        lbText->setText(text);
    lbRemaining->hide();
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
    show();
}

void TeDm_Splash::repaintNow()
{
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TeDm_Splash::showText(const QString& text)
{
    showIfHidden(QString());
    lbText->setText(text + u' ');
    start_ = qel::Now();
    // Back to the half second after an EndProgress shortened it.
    Timer1->setInterval(kHideInterval);
    Timer1->start();
    repaintNow();
}

void TeDm_Splash::showWindow()
{
    showIfHidden(QString());
    repaintNow();
}

void TeDm_Splash::step(int position, int maximum)
{
    showIfHidden(QStringLiteral("..."));
    Timer1->stop();
    ProgressBar1->setRange(0, std::max(maximum, 0));
    ProgressBar1->setValue(std::clamp(position, 0, std::max(maximum, 0)));
    ProgressBar1->show();
    const QDateTime now = qel::Now();
    if (!start_.isValid())
        start_ = now;
    if (position > 3 && position < 0.9 * maximum && start_.date() == now.date()) {
        const double spent = qel::ToDateTime(now) - qel::ToDateTime(start_);
        const double estimate = spent * maximum / position;
        lbRemaining->setText(QStringLiteral("jeszcze ok. ") + DurationText(estimate - spent));
        lbRemaining->show();
    }
    repaint();
    // The caller's work runs on this thread: keep the screen alive meanwhile.
    QCoreApplication::processEvents();
}

void TeDm_Splash::end()
{
    Timer1->setInterval(kEndInterval);
    Timer1->start();
    ProgressBar1->hide();
    // The next operation measures its own time.
    start_ = QDateTime();
}

void TeDm_Splash::Timer1Timer()
{
    Timer1->stop();
    if (!isModal())
        hide();
}

QString TeDm_Splash::text() const
{
    return lbText->text();
}

QString TeDm_Splash::remainingText() const
{
    return lbRemaining->isHidden() ? QString() : lbRemaining->text();
}

bool TeDm_Splash::progressVisible() const
{
    return !ProgressBar1->isHidden();
}

int TeDm_Splash::progressValue() const
{
    return ProgressBar1->value();
}

int TeDm_Splash::progressMaximum() const
{
    return ProgressBar1->maximum();
}

int TeDm_Splash::timerInterval() const
{
    return Timer1->interval();
}

bool TeDm_Splash::timerActive() const
{
    return Timer1->isActive();
}

void ShowProgress(const QString& text)
{
    TeDm_Splash::Instance()->showText(text);
}

void ShowProgressWindow()
{
    TeDm_Splash::Instance()->showWindow();
}

void ProgressStep(int position, int maximum)
{
    if (TeDm_Splash* splash = TeDm_Splash::Instance(false))
        splash->step(position, maximum);
}

void EndProgress()
{
    if (TeDm_Splash* splash = TeDm_Splash::Instance(false))
        splash->end();
}

void InstallProgressWindow()
{
    qel::ProgressSink sink;
    sink.show = [](const QString& text) { ShowProgress(text); };
    sink.step = [](const QString& text, int position, int total) {
        if (TeDm_Splash* splash = TeDm_Splash::Instance(false); !splash || splash->text() != text + u' ')
            ShowProgress(text);
        ProgressStep(position, total);
    };
    sink.end = [] { EndProgress(); };
    qel::SetProgressSink(std::move(sink));
}
