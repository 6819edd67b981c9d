#include "jvlink/ui/GetDataUnit.h"

#include "controls/MessageBox.h"
#include "jvlink/client/DownloadPoll.h"
#include "jvlink/client/JVLinkMessages.h"
#include "jvlink/client/LastTime.h"
#include "jvlink/emulator/EmulatedJVLink.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

using tavek::jvlink::BatchAcquisition;

namespace {

// Fast enough to watch, and rare enough that painting costs the run nothing.
constexpr qint64 kFrameMs = 33;

// A date field that edits as a date picker does: a click selects the part
// under it (year, month or day), and the digits typed replace that part and
// move on to the next. Qt's own field only puts the cursor there, where a
// digit typed into a whole part is refused.
class DatePicker : public QDateTimeEdit {
public:
    explicit DatePicker(QWidget* parent) : QDateTimeEdit(parent) { lineEdit()->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease && !lineEdit()->hasSelectedText())
            setSelectedSection(currentSection());
        return QDateTimeEdit::eventFilter(watched, event);
    }
};

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
    // A close button only: no minimise or maximise. Window managers that
    // offer maximise to any resizable window (openbox) see a fixed size.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
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
    ButtonCancel->setEnabled(false);

    DateTimePicker1 = new DatePicker(this);
    named(DateTimePicker1, "DateTimePicker1");
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy'年'MM'月'dd'日'"));
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
    // Every line has the same height: the list need not measure each of
    // thousands of lines again whenever one is added.
    ListBox1->setUniformItemSizes(true);
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
    setFixedSize(460, 420);

    connect(ButtonStart, &QPushButton::clicked, this, [this] { ButtonStartClick(); });
    connect(ButtonCancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(TimerJVStatus, &QTimer::timeout, this, [this] { TimerJVStatusTimer(); });
    // A day picked is that day from its start: the time of day kept from the
    // stored start point would leave out that day's morning (and, picked in
    // the evening, the day itself).
    connect(DateTimePicker1, &QDateTimeEdit::dateChanged, this, [this] {
        startTime_ = QTime(0, 0);
        Label5->setText(tavek::lasttime::format(startPoint()));
    });
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
    showChanges();
}

void TGetDataForm::ButtonStartClick()
{
    if (acquisition_.running())
        return;
    // A new run starts with a blank status line, not the last run's result.
    status_.clear();
    changed_ = true;
    showChanges();
    runHandler([this] { acquisition_.start(startPoint()); });
}

void TGetDataForm::TimerJVStatusTimer()
{
    runHandler([this] { acquisition_.poll(); });
}

void TGetDataForm::ButtonCancelClick()
{
    // Nothing runs: nothing to ask about, nothing to stop.
    if (!acquisition_.running())
        return;
    acquisition_.cancel();
    showChanges();
}

void TGetDataForm::SpeedButton1Click()
{
    const int32_t code = jvlink_.JVSetUIProperties();
    if (code != tavek::jvlink::JVResult::Ok) {
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
    status_ = text;
    changed();
}

void TGetDataForm::setDownloadProgress(int position, int maximum)
{
    download_ = {position, maximum};
    changed();
}

void TGetDataForm::setReadProgress(int position, int maximum)
{
    read_ = {position, maximum};
    changed();
}

void TGetDataForm::clearList()
{
    newLines_.clear();
    ListBox1->clear();
}

void TGetDataForm::addListLine(const QString& line)
{
    newLines_.append(line);
    changed();
}

void TGetDataForm::changed()
{
    changed_ = true;
    if (!sinceShown_.isValid() || sinceShown_.elapsed() >= kFrameMs)
        showChanges();
}

void TGetDataForm::showChanges()
{
    if (!changed_)
        return;
    changed_ = false;
    sinceShown_.start();
    ProgressLabel->setText(status_);
    ProgressBar1->setRange(0, download_.maximum);
    ProgressBar1->setValue(download_.position);
    ProgressBar2->setRange(0, read_.maximum);
    ProgressBar2->setValue(read_.position);
    if (!newLines_.isEmpty()) {
        ListBox1->addItems(newLines_);
        newLines_.clear();
        // The newest line stays in view, so the user can watch the run.
        ListBox1->scrollToBottom();
    }
}

void TGetDataForm::information(const QString& text)
{
    // A box stops the run: it is shown over what the run has reached.
    showChanges();
    tavek::MessageBox::information(this, text, tavek::MessageBox::Sound::Silent);
}

bool TGetDataForm::confirm(const QString& text)
{
    showChanges();
    return tavek::MessageBox::question(this, text);
}

void TGetDataForm::beep()
{
    QApplication::beep();
}

void TGetDataForm::setRunning(bool running)
{
    ButtonStart->setEnabled(!running);
    // Only a run can be cancelled.
    ButtonCancel->setEnabled(running);
    if (running) {
        setCursor(Qt::BusyCursor);
        return;
    }
    unsetCursor();
    showChanges();
    // Disabling the start button moved the focus on; the next run starts from it.
    ButtonStart->setFocus();
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
    // A change that came before its frame was due is shown once it is.
    if (changed_ && sinceShown_.elapsed() >= kFrameMs)
        showChanges();
    QApplication::processEvents();
}

void TGetDataForm::showStartPoint(const QDateTime& at)
{
    const QSignalBlocker notPicked(DateTimePicker1);
    DateTimePicker1->setDateTime(at);
    startTime_ = at.time();
    Label5->setText(tavek::lasttime::format(startPoint()));
}
