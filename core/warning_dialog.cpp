#include "core/warning_dialog.h"

#include "controls/clickable_label.h"
#include "controls/color_button.h"
#include "core/log_file.h"
#include "core/messages.h"
#include "core/settings.h"
#include "platform/paths.h"
#include "text/strings.h"
#include "widgets/markup_label.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kTimerInterval = 200;
const QColor kDialogColour(0xF0, 0xF2, 0xE3);
const QString kStoppedText = QStringLiteral("Naciśnij OK lub Anuluj, aby zakończyć.");

QLabel* IconLabel(QWidget* parent, const char* name, QStyle::StandardPixmap which)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setPixmap(parent->style()->standardIcon(which).pixmap(32, 32));
    l->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    l->setFixedWidth(40);
    l->hide();
    return l;
}

// Markers go only while two or more characters remain, so "%" alone stays.
QString RemoveMarkers(QString s)
{
    for (QChar marker : {u'!', u'*', u'%'}) {
        while (s.size() >= 2 && s.front() == marker)
            s.remove(0, 1);
    }
    return s;
}

}  // namespace

namespace qel {
int TimeoutTicks(int seconds)
{
    return seconds < 0 ? -1 : seconds * (1000 / kTimerInterval);
}
}  // namespace qel

TeQelWarningDialog::TeQelWarningDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TeQelWarningDialog"));
    setWindowTitle(QStringLiteral("Uwaga!"));
    setModal(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kDialogColour);
    setPalette(pal);
    setAutoFillBackground(true);
    setFixedWidth(500);
    resize(500, 351);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* panelLayout = new QVBoxLayout(Panel2);
    panelLayout->setContentsMargins(4, 4, 4, 4);
    auto* row = new QHBoxLayout;
    iInfo = IconLabel(Panel2, "iInfo", QStyle::SP_MessageBoxInformation);
    iStop = IconLabel(Panel2, "iStop", QStyle::SP_MessageBoxCritical);
    iWykrzyknik = IconLabel(Panel2, "iWykrzyknik", QStyle::SP_MessageBoxWarning);
    iQuestion = IconLabel(Panel2, "iQuestion", QStyle::SP_MessageBoxQuestion);
    row->addWidget(iInfo);
    row->addWidget(iStop);

    panelLB = new QWidget(Panel2);
    panelLB->setObjectName(QStringLiteral("panelLB"));
    panelLB->setAutoFillBackground(true);
    QPalette white = panelLB->palette();
    white.setColor(QPalette::Window, Qt::white);
    panelLB->setPalette(white);
    auto* lbLayout = new QVBoxLayout(panelLB);
    lbLayout->setContentsMargins(4, 4, 4, 4);
    lb = new qel::MarkupLabel(panelLB);
    lb->setObjectName(QStringLiteral("lb"));
    lb->setBackground(Qt::white);
    lbLayout->addWidget(lb);
    lbLayout->addStretch(1);
    row->addWidget(panelLB, 1);

    row->addWidget(iWykrzyknik);
    row->addWidget(iQuestion);
    panelLayout->addLayout(row, 1);

    Gauge1 = new QProgressBar(Panel2);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setRange(0, 100);
    Gauge1->setTextVisible(false);
    Gauge1->setFixedHeight(8);
    Gauge1->setToolTip(QStringLiteral(
        "Ten wskaźnik pokazuje, za kiedy okienko zamknie się samo tak, jakbyś nacisnął przycisk OK."));
    Gauge1->hide();
    panelLayout->addWidget(Gauge1);
    outer->addWidget(Panel2, 1);

    pBottom = new QWidget(this);
    pBottom->setObjectName(QStringLiteral("pBottom"));
    auto* bottom = new QHBoxLayout(pBottom);
    bottom->setContentsMargins(8, 6, 8, 8);
    lbCzas = new QLabel(kStoppedText, pBottom);
    lbCzas->setObjectName(QStringLiteral("lbCzas"));
    lbCzas->installEventFilter(this);
    bottom->addWidget(lbCzas, 1);
    bottom->addStretch(1);
    lbInfo = new TQelInfoLabel(pBottom);
    lbInfo->setObjectName(QStringLiteral("lbInfo"));
    lbInfo->hide();
    bottom->addWidget(lbInfo);
    cbDontShowAgain = new QCheckBox(QStringLiteral("nie pokazuj więcej takich informacji"), pBottom);
    cbDontShowAgain->setObjectName(QStringLiteral("cbDontShowAgain"));
    cbDontShowAgain->hide();
    connect(cbDontShowAgain, &QCheckBox::toggled, this, &TeQelWarningDialog::cbDontShowAgainClick);
    bottom->addWidget(cbDontShowAgain);
    bAnuluj = new TqelColorButton(pBottom);
    bAnuluj->setObjectName(QStringLiteral("bAnuluj"));
    bAnuluj->setKind(TqelColorButton::Kind::Cancel);
    bAnuluj->setText(QStringLiteral("&Anuluj"));
    bottom->addWidget(bAnuluj);
    bOK = new TqelColorButton(pBottom);
    bOK->setObjectName(QStringLiteral("bOK"));
    bOK->setKind(TqelColorButton::Kind::OK);
    bOK->setText(QStringLiteral("&OK"));
    bottom->addWidget(bOK);
    bStoj = new TqelColorButton(QStringLiteral("?"), pBottom);
    bStoj->setObjectName(QStringLiteral("bStoj"));
    bStoj->setToolTip(QStringLiteral("zatrzymaj odliczanie"));
    bStoj->setMinimumWidth(25);
    bStoj->setFixedWidth(25);
    connect(bStoj, &QPushButton::clicked, this, &TeQelWarningDialog::bStojClick);
    bottom->addWidget(bStoj);
    bStoj->hide();
    outer->addWidget(pBottom);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTimerInterval);
    connect(Timer1, &QTimer::timeout, this, &TeQelWarningDialog::Timer1Timer);
}

void TeQelWarningDialog::Setup(const qel::Prompt& prompt)
{
    const QString title = prompt.title;
    const QString head = prompt.text;
    // Icons come from the markers as given, before any is removed.
    iInfo->setVisible(head.startsWith(u'*'));
    iWykrzyknik->setVisible(title.contains(u'!') || head.contains(u'!'));
    iStop->setVisible(title.startsWith(u'%') || head.startsWith(u'%'));
    const bool question = title.contains(u'?') || head.contains(u'?');
    iQuestion->setVisible(question);

    setWindowTitle(RemoveMarkers(title));
    const QString shownHead = OneLineText(RemoveMarkers(head));
    const QString detail = OneLineText(prompt.detail);
    lb->setText(detail.isEmpty() ? shownHead
                                 : QStringLiteral("<b>") + shownHead + QStringLiteral("</b><br>   ") + detail);

    const bool headQuestion = shownHead.contains(u'?');
    bOK->setText(headQuestion ? QStringLiteral("&Tak") : QStringLiteral("&OK"));
    bAnuluj->setText(headQuestion ? QStringLiteral("&Nie") : QStringLiteral("&Anuluj"));
    bAnuluj->setVisible(headQuestion || !detail.isEmpty());

    counter_ = qel::TimeoutTicks(prompt.timeoutSeconds);
    tick_ = 0;
    safeResult_ = prompt.safeResult;
    key_ = prompt.offerDontShowAgain ? prompt.key : QStringLiteral("-");
    cbDontShowAgain->setVisible(prompt.offerDontShowAgain);
    lbInfo->setVisible(!prompt.info.isEmpty());
    lbInfo->InfoText = prompt.info.isEmpty() ? QStringList() : QStringList{prompt.info};
}

void TeQelWarningDialog::SetupFromMessage(const QString& message, const QString& key, const QString& info)
{
    const MessageParts parts = SplitMessage(message);
    qel::Prompt p;
    p.title = QGuiApplication::applicationDisplayName();
    p.text = parts.head;
    p.detail = parts.detail;
    p.info = info;
    p.key = key;
    p.offerDontShowAgain = !key.isEmpty();
    p.timeoutSeconds = kMessageTimeoutSeconds;
    Setup(p);
}

bool TeQelWarningDialog::dontShowAgain() const
{
    return !cbDontShowAgain->isHidden() && cbDontShowAgain->isChecked();
}

QString TeQelWarningDialog::labelText() const
{
    return lb->text();
}

void TeQelWarningDialog::cbDontShowAgainClick(bool checked)
{
    if (key_ != u"-" && !key_.isEmpty())
        qel::WriteSettingBool(QStringLiteral("DontShowAgain"), key_, checked);
}

void TeQelWarningDialog::Timer1Timer()
{
    if (counter_ < 0)
        return;
    const int progress = counter_ > 0 ? static_cast<int>(std::lround(tick_ * 100.0 / counter_)) : 100;
    Gauge1->setValue(std::min(progress, 100));
    Gauge1->setVisible(progress > 35);
    lbCzas->setVisible(progress > 30);
    bStoj->setVisible(progress > 30);
    lbCzas->setText(QStringLiteral("okienko zniknie za %1 sek.\n(możesz zamknąć je sam)")
                        .arg((counter_ - tick_) / 5 + 1));
    if (counter_ < tick_) {
        Timer1->stop();
        counter_ = -1;
        writeLostMessage();
        SetLastMessageLost(true);
        done(safeResult_);
        return;
    }
    ++tick_;
}

void TeQelWarningDialog::writeLostMessage()
{
    // Failure to log is not reported.
    qel::AppendLogLine(qel::ProgramFolder() + QStringLiteral("/!Stracone komunikaty.log"),
                       windowTitle() + QStringLiteral(": ") + lb->text());
}

void TeQelWarningDialog::bStojClick()
{
    Timer1->stop();
    counter_ = -1;
    Gauge1->hide();
    bStoj->hide();
    lbCzas->show();
    lbCzas->setText(kStoppedText);
}

void TeQelWarningDialog::reject()
{
    // Escape and the window's close box answer like the cancel button, or OK
    // where there is none.
    done(bAnuluj->isHidden() ? qel::mrOk : qel::mrCancel);
}

void TeQelWarningDialog::mousePressEvent(QMouseEvent* event)
{
    bStojClick();
    QDialog::mousePressEvent(event);
}

bool TeQelWarningDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lbCzas && event->type() == QEvent::MouseButtonPress)
        bStojClick();
    return QDialog::eventFilter(watched, event);
}

void TeQelWarningDialog::fitHeight()
{
    layout()->activate();
    const int labelHeight = lb->heightForWidth(lb->width());
    const int wanted = Panel2->height() - panelLB->height() + labelHeight + 160;
    const QScreen* screen = this->screen();
    const int limit = screen ? screen->availableGeometry().height() * 4 / 5 : 800;
    // Short messages get a short window; long ones a taller one, so that no
    // line is cut off.
    resize(width(), std::clamp(wanted, minimumSizeHint().height(), std::max(limit, 351)));
}

void TeQelWarningDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Gauge1->hide();
    QApplication::beep();
    fitHeight();
    bOK->setFocus();
    if (counter_ > 0)
        Timer1->start();
    Timer1Timer();
}

qel::Reply TeQelWarningDialog::Run(const qel::Prompt& prompt)
{
    TeQelWarningDialog dialog(QApplication::activeWindow());
    dialog.Setup(prompt);
    dialog.raise();
    dialog.activateWindow();
    qel::Reply reply;
    reply.result = dialog.exec();
    reply.dontShowAgain = dialog.dontShowAgain();
    return reply;
}

void InstallMessageDialog()
{
    qel::SetMessageWindow(&TeQelWarningDialog::Run);
}
