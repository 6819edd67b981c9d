#include "jvlink/ui/EmulatorSettingsForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using tavek::jvlink::EmulatorSettings;

namespace {

// About one year of race days: two files per day of racing.
constexpr int kFilesPerYear = 210;

QPushButton* browseButton(const QString& objectName, QWidget* parent)
{
    auto* b = new QPushButton(QStringLiteral("参照..."), parent);
    b->setObjectName(objectName);
    return b;
}

QWidget* row(QWidget* field, QWidget* button, QWidget* parent)
{
    auto* w = new QWidget(parent);
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(field, 1);
    h->addWidget(button);
    return w;
}

}  // namespace

TEmulatorSettingsForm::TEmulatorSettingsForm(const EmulatorSettings& settings, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("EmulatorSettingsForm"));
    setWindowTitle(QStringLiteral("JV-Link 設定（内蔵のJV-Linkサービス）"));

    StorageEdit = new QLineEdit(settings.storageFolder, this);
    StorageEdit->setObjectName(QStringLiteral("StorageEdit"));
    auto* storageBrowse = browseButton(QStringLiteral("StorageBrowseBtn"), this);

    PaceSpin = new QSpinBox(this);
    PaceSpin->setObjectName(QStringLiteral("PaceSpin"));
    PaceSpin->setRange(tavek::settings::kDownloadPace.min, tavek::settings::kDownloadPace.max);
    PaceSpin->setSingleStep(10);
    PaceSpin->setSuffix(QStringLiteral(" ミリ秒／ファイル"));
    PaceSpin->setValue(settings.downloadPaceMs);
    PaceSpin->setMinimumWidth(200);
    PaceHint = new QLabel(this);
    PaceHint->setObjectName(QStringLiteral("PaceHint"));

    RecordFolderCheck = new QCheckBox(QStringLiteral("実データのレコードファイルを提供する"), this);
    RecordFolderCheck->setObjectName(QStringLiteral("RecordFolderCheck"));
    RecordFolderCheck->setChecked(!settings.recordFolder.isEmpty());
    RecordFolderEdit = new QLineEdit(settings.recordFolder, this);
    RecordFolderEdit->setObjectName(QStringLiteral("RecordFolderEdit"));
    RecordFolderBrowseBtn = browseButton(QStringLiteral("RecordFolderBrowseBtn"), this);
    auto* recordNote = new QLabel(
        QStringLiteral("フォルダ内の各ファイルを、1行に1レコード（Shift-JIS）のJV-Dataとして\n"
                       "生成データの代わりに提供します。ファイルの更新日時が提供日時になります。"),
        this);

    ErrorLabel = new QLabel(this);
    ErrorLabel->setObjectName(QStringLiteral("ErrorLabel"));
    ErrorLabel->setStyleSheet(QStringLiteral("color: #c00000;"));
    ErrorLabel->setWordWrap(true);
    ErrorLabel->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("データ保存先フォルダ："), row(StorageEdit, storageBrowse, this));
    auto* paceRow = new QWidget(this);
    auto* paceLayout = new QHBoxLayout(paceRow);
    paceLayout->setContentsMargins(0, 0, 0, 0);
    paceLayout->addWidget(PaceSpin);
    paceLayout->addStretch(1);
    form->addRow(QStringLiteral("ダウンロード速度："), paceRow);
    form->addRow(QString(), PaceHint);
    form->addRow(RecordFolderCheck);
    form->addRow(QStringLiteral("レコードファイルのフォルダ："), row(RecordFolderEdit, RecordFolderBrowseBtn, this));
    form->addRow(QString(), recordNote);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ErrorLabel);
    layout->addWidget(buttons);
    setMinimumWidth(560);

    connect(storageBrowse, &QPushButton::clicked, this, &TEmulatorSettingsForm::StorageBrowseBtnClick);
    connect(RecordFolderBrowseBtn, &QPushButton::clicked, this, &TEmulatorSettingsForm::RecordFolderBrowseBtnClick);
    connect(RecordFolderCheck, &QCheckBox::toggled, this, &TEmulatorSettingsForm::RecordFolderCheckClick);
    connect(PaceSpin, &QSpinBox::valueChanged, this, &TEmulatorSettingsForm::PaceSpinChange);
    connect(buttons, &QDialogButtonBox::accepted, this, &TEmulatorSettingsForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TEmulatorSettingsForm::reject);
    RecordFolderCheckClick();
    PaceSpinChange();
}

EmulatorSettings TEmulatorSettingsForm::settings() const
{
    EmulatorSettings s;
    s.storageFolder = QDir::cleanPath(StorageEdit->text().trimmed());
    s.downloadPaceMs = PaceSpin->value();
    s.recordFolder = RecordFolderCheck->isChecked() ? QDir::cleanPath(RecordFolderEdit->text().trimmed()) : QString();
    return s;
}

void TEmulatorSettingsForm::accept()
{
    const EmulatorSettings s = settings();
    QString error;
    if (StorageEdit->text().trimmed().isEmpty())
        error = QStringLiteral("データ保存先フォルダを指定してください。");
    else if (!QDir().mkpath(s.storageFolder) || !QFileInfo(s.storageFolder).isWritable())
        error = QStringLiteral("データ保存先フォルダ %1 を作成できないか、書き込めません。").arg(s.storageFolder);
    else if (RecordFolderCheck->isChecked() && !QFileInfo(s.recordFolder).isDir())
        error = QStringLiteral("レコードファイルのフォルダ %1 がありません。")
                    .arg(RecordFolderEdit->text().trimmed().isEmpty() ? QStringLiteral("（未指定）") : s.recordFolder);
    if (!error.isEmpty()) {
        QApplication::beep();
        ErrorLabel->setText(error);
        ErrorLabel->show();
        return;
    }
    QDialog::accept();
}

void TEmulatorSettingsForm::StorageBrowseBtnClick()
{
    const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("データ保存先フォルダ"),
                                                          StorageEdit->text());
    if (!dir.isEmpty())
        StorageEdit->setText(QDir::toNativeSeparators(dir));
}

void TEmulatorSettingsForm::RecordFolderBrowseBtnClick()
{
    const QString dir = QFileDialog::getExistingDirectory(this, QStringLiteral("レコードファイルのフォルダ"),
                                                          RecordFolderEdit->text());
    if (!dir.isEmpty())
        RecordFolderEdit->setText(QDir::toNativeSeparators(dir));
}

void TEmulatorSettingsForm::RecordFolderCheckClick()
{
    RecordFolderEdit->setEnabled(RecordFolderCheck->isChecked());
    RecordFolderBrowseBtn->setEnabled(RecordFolderCheck->isChecked());
}

void TEmulatorSettingsForm::PaceSpinChange()
{
    const int seconds = (PaceSpin->value() * kFilesPerYear + 999) / 1000;
    PaceHint->setText(
        PaceSpin->value() == 0
            ? QStringLiteral("待ち時間なしで取得します。")
            : QStringLiteral("1年分（約%1ファイル）の取得に約%2秒かかります。").arg(kFilesPerYear).arg(seconds));
}

namespace tavek::jvlink::ui {

void installEmulatorSettingsDialog()
{
    setSettingsEditor([](EmulatorSettings& settings) {
        TEmulatorSettingsForm form(settings, QApplication::activeWindow());
        if (form.exec() != QDialog::Accepted)
            return false;
        settings = form.settings();
        return true;
    });
}

}  // namespace tavek::jvlink::ui
