#pragma once

#include "appfiles/IniGT.h"
#include "jvlink/client/BatchAcquisition.h"
#include "jvlink/client/BatchView.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QStringList>
#include <QTime>

class QDateTimeEdit;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;

// The batch acquisition window "ＪＶデータ取込": downloads the race data
// published since the start point and writes the RA and H1 records into the
// day files. Modal; the main window creates it for each use. The window stays
// live during a run: the download is polled by a 10-ms timer and the read
// loop lets pending events run before every record. What a run shows (status
// line, bars, new list lines) reaches the controls at most once a frame, so
// a run of thousands of records is not slowed by painting each of them.
class TGetDataForm : public QDialog, private tavek::jvlink::BatchView {
    Q_OBJECT
public:
    // `settings` addresses the settings file holding the start point (the
    // program's own by default).
    TGetDataForm(tavek::jvlink::JVDTLabLib_TLB& jvlink, const QString& dataFolder, QWidget* parent = nullptr,
                 tavek::TIniGT settings = {});

    QPushButton* ButtonStart;
    QPushButton* ButtonCancel;
    QPushButton* SpeedButton1;
    QLabel* ProgressLabel;
    QProgressBar* ProgressBar1;
    QProgressBar* ProgressBar2;
    QListWidget* ListBox1;
    QDateTimeEdit* DateTimePicker1;
    QLabel* Label5;
    QTimer* TimerJVStatus;

    void ButtonStartClick();
    void ButtonCancelClick();
    void SpeedButton1Click();
    void TimerJVStatusTimer();

    // The start point: the stored one (or the last file's) with its time of
    // day, until a day is picked: then that day from 00:00:00.
    QDateTime startPoint() const;
    const tavek::jvlink::BatchAcquisition& acquisition() const { return acquisition_; }

    // Closing during a run cancels it first; a read loop in progress ends
    // at its next record and the window closes after its close step.
    void reject() override;

private:
    void buildControls();
    template <typename Handler>
    void runHandler(Handler handler);

    // BatchView
    void showStatus(const QString& text) override;
    void setDownloadProgress(int position, int maximum) override;
    void setReadProgress(int position, int maximum) override;
    void clearList() override;
    void addListLine(const QString& line) override;
    void information(const QString& text) override;
    bool confirm(const QString& text) override;
    void beep() override;
    void setRunning(bool running) override;
    void setPolling(bool on) override;
    void processEvents() override;
    void showStartPoint(const QDateTime& at) override;

    // Marks the run's display as changed and shows it when a frame is due.
    void changed();
    // Puts the latest status, bars and pending list lines on the controls.
    void showChanges();

    tavek::jvlink::JVDTLabLib_TLB& jvlink_;
    tavek::jvlink::BatchAcquisition acquisition_;
    QTime startTime_;
    bool closePending_ = false;

    // What the run last asked to show, not yet on the controls.
    struct Bar {
        int position = 0;
        int maximum = 100;
    };
    QString status_;
    Bar download_;
    Bar read_;
    QStringList newLines_;
    bool changed_ = false;
    QElapsedTimer sinceShown_;
};
