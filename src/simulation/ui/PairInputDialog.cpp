#include "simulation/ui/PairInputDialog.h"

#include "controls/SaNumEditExC.h"
#include "simulation/ui/PairCell.h"
#include "simulation/ui/PairSheet.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

using tavek::sim::PairSimResult;

PairInputDialog::PairInputDialog(PairSheet& sheet, Kind kind, const QString& caption,
                                 const QString& pairCaption, QWidget* parent)
    : QDialog(parent), sheet_(sheet), kind_(kind)
{
    setWindowTitle(caption);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* line1 = new QLabel(kind == Kind::Stake ? QStringLiteral("シミュレーションしたい金額を入力")
                                                 : QStringLiteral("シミュレーションしたいオッズを入力"),
                             this);
    line1->setObjectName(QStringLiteral("Label1"));
    auto* line2 = new QLabel(kind == Kind::Stake ? QStringLiteral("してください。")
                                                 : QStringLiteral("してください。（低下した仮定オッズ）"),
                             this);
    line2->setObjectName(QStringLiteral("Label2"));
    auto* target = new QLabel(pairCaption, this);
    target->setObjectName(QStringLiteral("Label3"));

    Label3D9 = makeBox(this, QStringLiteral("Label3D9"), QColor(0x00, 0xFF, 0xFF), Qt::blue, false);
    Label3D9->setMinimumWidth(70);

    SaNumEditExC1 = new TSaNumEditExC(this);
    SaNumEditExC1->setObjectName(QStringLiteral("SaNumEditExC1"));
    SaNumEditExC1->setIntegerLength(7);
    SaNumEditExC1->setDecimalLength(kind == Kind::Stake ? 0 : 1);
    SaNumEditExC1->setMinus(false);
    SaNumEditExC1->setEnterFocusMove(true);
    SaNumEditExC1->setArrowFocusMove(true);
    QFont fieldFont(QStringLiteral("ＭＳ ゴシック"));
    fieldFont.setStyleHint(QFont::Monospace);
    fieldFont.setBold(true);
    SaNumEditExC1->setFont(fieldFont);

    BitBtn2 = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn1, &QPushButton::clicked, this, &PairInputDialog::BitBtn1Click);

    auto* pairRow = new QHBoxLayout;
    pairRow->addWidget(target);
    pairRow->addWidget(Label3D9);
    pairRow->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(line1);
    layout->addWidget(line2);
    layout->addLayout(pairRow);
    layout->addWidget(SaNumEditExC1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (kind == Kind::Odds) {
        MsgDlg1 = new QMessageBox(QMessageBox::Critical, QStringLiteral("エラー"), QString(),
                                  QMessageBox::Ok, this);
        MsgDlg1->setObjectName(QStringLiteral("MsgDlg1"));
    }
    SaNumEditExC1->setFocus();
}

void PairInputDialog::showError(const QString& message)
{
    QApplication::beep();
    MsgDlg1->setText(message);
    MsgDlg1->exec();
}

void PairInputDialog::BitBtn1Click()
{
    const QString label = Label3D9->text();
    if (kind_ == Kind::Stake) {
        sheet_.simulateStake(label, SaNumEditExC1->AsInteger());
        accept();
        return;
    }
    double odds = 0;
    try {
        odds = double(SaNumEditExC1->AsFloat());
    } catch (const std::runtime_error& e) {
        // An empty field: say so and let the user type a value.
        showError(QString::fromStdString(e.what()));
        return;
    }
    switch (sheet_.simulateOdds(label, odds)) {
    case PairSimResult::NotAboveOne:
        showError(tavek::sim::notAboveOneMessage());
        break;
    case PairSimResult::Unrealistic:
        showError(tavek::sim::unrealisticMessage());
        QApplication::beep();
        break;
    case PairSimResult::Accepted:
    case PairSimResult::None:
        accept();
        break;
    }
}
