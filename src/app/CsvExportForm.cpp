#include "app/CsvExportForm.h"

#include "controls/MessageBox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// In the order of csv::Content.
struct Choice {
    const char* name;
    const char* caption;
};
const Choice kChoices[] = {
    {"RadioWin", "単勝ｼﾐｭﾚｰｼｮﾝ（表示中の表）"},
    {"RadioBracket", "枠連ｼﾐｭﾚｰｼｮﾝ（組番・オッズ・仮想オッズ）"},
    {"RadioQuinella", "馬連ｼﾐｭﾚｰｼｮﾝ（組番・オッズ・仮想オッズ）"},
    {"RadioReference", "参考資料（合計票数・馬単・3連複）"},
    {"RadioPlace", "賭式別オッズ 複勝（馬番・票数・オッズ・仮想票数・仮想オッズ）"},
    {"RadioWide", "賭式別オッズ ワイド（同上）"},
    {"RadioExacta", "賭式別オッズ 馬単（同上）"},
    {"RadioTrio", "賭式別オッズ 3連複（同上）"},
    {"RadioHistory", "オッズ推移（取得ごと・馬番ごとの単勝オッズ）"},
    {"RadioTrifecta", "賭式別オッズ 3連単（組番・票数・オッズ・仮想票数・仮想オッズ）"},
    {"RadioTickets", "買い目（賭け金・現在と購入後のオッズ・払戻金・収支）"},
};

}  // namespace

TCsvExportForm::TCsvExportForm(QWidget* parent, const QString& folder, const QString& raceName,
                               tavek::csv::Content shown)
    : QDialog(parent), folder_(folder), raceName_(raceName)
{
    setObjectName(QStringLiteral("CsvExportForm"));
    setWindowTitle(QStringLiteral("CSV出力"));

    auto* what = new QGroupBox(QStringLiteral("保存する内容"), this);
    auto* whatColumn = new QVBoxLayout(what);
    auto* group = new QButtonGroup(this);
    QRadioButton** radios[] = {&RadioWin,    &RadioBracket, &RadioQuinella, &RadioReference, &RadioPlace,  &RadioWide,
                               &RadioExacta, &RadioTrio,    &RadioHistory,  &RadioTrifecta,  &RadioTickets};
    for (size_t i = 0; i < std::size(kChoices); ++i) {
        auto* r = new QRadioButton(QString::fromUtf8(kChoices[i].caption), what);
        r->setObjectName(QString::fromLatin1(kChoices[i].name));
        group->addButton(r);
        whatColumn->addWidget(r);
        *radios[i] = r;
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                suggestName();
        });
    }

    EncodingCombo = new QComboBox(this);
    EncodingCombo->setObjectName(QStringLiteral("EncodingCombo"));
    EncodingCombo->addItem(QStringLiteral("UTF-8（BOM付き、表計算ソフト向け）"));
    EncodingCombo->addItem(QStringLiteral("Shift_JIS（CP932）"));
    FileNameEdit = new QLineEdit(this);
    FileNameEdit->setObjectName(QStringLiteral("FileNameEdit"));
    FileNameEdit->setMinimumWidth(360);
    BrowseBtn = new QPushButton(QStringLiteral("参照..."), this);
    BrowseBtn->setObjectName(QStringLiteral("BrowseBtn"));
    connect(BrowseBtn, &QPushButton::clicked, this, &TCsvExportForm::BrowseBtnClick);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("文字コード"), this), 0, 0);
    grid->addWidget(EncodingCombo, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("保存先"), this), 1, 0);
    grid->addWidget(FileNameEdit, 1, 1);
    grid->addWidget(BrowseBtn, 1, 2);

    BitBtn1 = new QPushButton(QStringLiteral("保存"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("キャンセル"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    connect(BitBtn1, &QPushButton::clicked, this, &TCsvExportForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto* column = new QVBoxLayout(this);
    column->addWidget(what);
    column->addLayout(grid);
    column->addLayout(buttons);
    (*radios[int(shown)])->setChecked(true);
}

tavek::csv::Content TCsvExportForm::content() const
{
    const QRadioButton* radios[] = {RadioWin,    RadioBracket, RadioQuinella, RadioReference, RadioPlace,  RadioWide,
                                    RadioExacta, RadioTrio,    RadioHistory,  RadioTrifecta,  RadioTickets};
    for (size_t i = 0; i < std::size(radios); ++i)
        if (radios[i]->isChecked())
            return tavek::csv::Content(i);
    return tavek::csv::Content::Win;
}

tavek::csv::Encoding TCsvExportForm::encoding() const
{
    return EncodingCombo->currentIndex() == 1 ? tavek::csv::Encoding::Cp932 : tavek::csv::Encoding::Utf8Bom;
}

QString TCsvExportForm::fileName() const
{
    return FileNameEdit->text().trimmed();
}

// Follows the content chosen, in the folder of the name shown.
void TCsvExportForm::suggestName()
{
    const QString folder = fileName().isEmpty() ? folder_ : QFileInfo(fileName()).absolutePath();
    FileNameEdit->setText(tavek::csv::suggestedFile(folder, raceName_, content()));
}

void TCsvExportForm::BrowseBtnClick()
{
    // The file dialog asks before overwriting; the save button would ask again.
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("CSV出力"), fileName(),
                                                        QStringLiteral("CSVファイル (*.csv)"), nullptr,
                                                        QFileDialog::DontConfirmOverwrite);
    if (!chosen.isEmpty())
        FileNameEdit->setText(
            chosen.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? chosen : chosen + QStringLiteral(".csv"));
}

void TCsvExportForm::BitBtn1Click()
{
    if (fileName().isEmpty()) {
        tavek::MessageBox::error(QStringLiteral("保存先のファイル名を入力してください"));
        return;
    }
    if (QFileInfo(fileName()).isDir()) {
        tavek::MessageBox::error(QStringLiteral("%1 はフォルダです。ファイル名を入力してください").arg(fileName()));
        return;
    }
    if (QFileInfo::exists(fileName())
        && !tavek::MessageBox::question(this, QStringLiteral("%1 は既にあります。上書きしますか？").arg(fileName())))
        return;
    accept();
}
