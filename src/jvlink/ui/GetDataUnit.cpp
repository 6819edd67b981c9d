#include "jvlink/ui/GetDataUnit.h"

#include "controls/MessageBox.h"
#include "jvlink/core/DownloadPoll.h"
#include "jvlink/core/JVLinkMessages.h"
#include "jvlink/core/LastTime.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using tavek::jvlink::BatchAcquisition;

namespace {

QLabel* captionLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setMinimumWidth(90);
    return label;
}

}  // namespace

TGetDataForm::TGetDataForm(tavek::jvlink::JVDTLabLib_TLB& jvlink, const QString& dataFolder, QWidget* parent,
                           tavek::TIniGT settings)
    : QDialog(parent), jvlink_(jvlink), acquisition_(jvlink, *this, dataFolder, std::move(settings))
{
    setObjectName(QStringLiteral("GetDataForm"));
    setWindowTitle(QStringLiteral("ＪＶデータ取込"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    setFont(font);
    buildControls();
    showStartPoint(acquisition_.storedStartPoint());
}

void TGetDataForm::buildControls()
{
    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };
    ButtonStart = new QPushButton(QStringLiteral("データ取込み開始"), this);
    ButtonCancel = new QPushButton(QStringLiteral("データ取込み中止"), this);
    SpeedButton1 = new QPushButton(QStringLiteral("JVLink設定"), this);
    for (QPushButton* b : {ButtonStart, ButtonCancel, SpeedButton1})
        b->setMinimumSize(120, 28);
    named(ButtonStart, "ButtonStart");
    named(ButtonCancel, "ButtonCancel");
    named(SpeedButton1, "SpeedButton1");

    DateTimePicker1 = new QDateTimeEdit(this);
    named(DateTimePicker1, "DateTimePicker1");
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy'年'M'月'd'日'"));
    DateTimePicker1->setMinimumWidth(140);
    Label5 = new QLabel(this);
    named(Label5, "Label5");
    Label5->hide();

    ProgressLabel = new QLabel(this);
    named(ProgressLabel, "ProgressLabel");
    QPalette blue = ProgressLabel->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    ProgressLabel->setPalette(blue);
    QFont bold = ProgressLabel->font();
    bold.setBold(true);
    ProgressLabel->setFont(bold);
    ProgressLabel->setMinimumHeight(20);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar2 = new QProgressBar(this);
    named(ProgressBar1, "ProgressBar1");
    named(ProgressBar2, "ProgressBar2");
    for (QProgressBar* bar : {ProgressBar1, ProgressBar2}) {
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
    }
    ListBox1 = new QListWidget(this);
    named(ListBox1, "ListBox1");
    TimerJVStatus = new QTimer(this);
    TimerJVStatus->setObjectName(QStringLiteral("TimerJVStatus"));
    TimerJVStatus->setInterval(tavek::jvlink::kDownloadPollMs);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonStart);
    buttons->addWidget(ButtonCancel);
    buttons->addStretch();
    buttons->addWidget(SpeedButton1);

    auto* grid = new QGridLayout;
    grid->addWidget(captionLabel(QStringLiteral("取得開始日付"), this), 0, 0);
    grid->addWidget(DateTimePicker1, 0, 1, Qt::AlignLeft);
    grid->addWidget(captionLabel(QStringLiteral("ダウンロード"), this), 1, 0);
    grid->addWidget(ProgressBar1, 1, 1);
    grid->addWidget(captionLabel(QStringLiteral("読込み"), this), 2, 0);
    grid->addWidget(ProgressBar2, 2, 1);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(grid);
    layout->addWidget(ProgressLabel);
    layout->addWidget(new QLabel(QStringLiteral("作成済みデータ"), this));
    layout->addWidget(ListBox1, 1);
    layout->addWidget(Label5);
    resize(460, 420);

    connect(ButtonStart, &QPushButton::clicked, this, [this] { ButtonStartClick(); });
    connect(ButtonCancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(TimerJVStatus, &QTimer::timeout, this, [this] { TimerJVStatusTimer(); });
}

QDateTime TGetDataForm::startPoint() const
{
    return QDateTime(DateTimePicker1->date(), startTime_);
}

template <typename Handler>
void TGetDataForm::runHandler(Handler handler)
{
    // A close asked for during the run takes effect once the run is over,
    // also when it ended with an error.
    struct CloseWhenDone {
        TGetDataForm* form;
        ~CloseWhenDone()
        {
            if (form->closePending_ && !form->acquisition_.running()) {
                form->closePending_ = false;
                form->QDialog::reject();
            }
        }
    } closeWhenDone{this};
    // A record that cannot be stored ends the run with an exception; the
    // acquisition has closed the stream by then, so the box is all that is left.
    tavek::MessageBox::guarded(this, handler);
}

void TGetDataForm::ButtonStartClick()
{
    runHandler([this] { acquisition_.start(startPoint()); });
}

void TGetDataForm::TimerJVStatusTimer()
{
    runHandler([this] { acquisition_.poll(); });
}

void TGetDataForm::ButtonCancelClick()
{
    acquisition_.cancel();
}

void TGetDataForm::SpeedButton1Click()
{
    const int32_t code = jvlink_.JVSetUIProperties();
    if (code != 0) {
        beep();
        information(QStringLiteral("JVSetUIPropertiesエラー：")
                    + tavek::jvlink::messageText(tavek::jvlink::JVOperation::JVSetUIProperties, code));
    }
}

void TGetDataForm::reject()
{
    acquisition_.abort();
    if (acquisition_.running()) {
        closePending_ = true;
        return;
    }
    QDialog::reject();
}

void TGetDataForm::showStatus(const QString& text)
{
    ProgressLabel->setText(text);
}

void TGetDataForm::setDownloadProgress(int position, int maximum)
{
    ProgressBar1->setMaximum(maximum);
    ProgressBar1->setValue(position);
}

void TGetDataForm::setReadProgress(int position, int maximum)
{
    ProgressBar2->setMaximum(maximum);
    ProgressBar2->setValue(position);
}

void TGetDataForm::clearList()
{
    ListBox1->clear();
}

void TGetDataForm::addListLine(const QString& line)
{
    ListBox1->addItem(line);
    // The newest line stays in view, so the user can watch the run.
    ListBox1->scrollToBottom();
}

void TGetDataForm::information(const QString& text)
{
    tavek::MessageBox::information(this, text, tavek::MessageBox::Sound::Silent);
}

bool TGetDataForm::confirm(const QString& text)
{
    return tavek::MessageBox::question(this, text);
}

void TGetDataForm::beep()
{
    QApplication::beep();
}

void TGetDataForm::setRunning(bool running)
{
    ButtonStart->setEnabled(!running);
    if (running)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void TGetDataForm::setPolling(bool on)
{
    if (on)
        TimerJVStatus->start();
    else
        TimerJVStatus->stop();
}

void TGetDataForm::processEvents()
{
    QApplication::processEvents();
}

void TGetDataForm::showStartPoint(const QDateTime& at)
{
    DateTimePicker1->setDateTime(at);
    startTime_ = at.time();
    Label5->setText(tavek::lasttime::format(startPoint()));
}
