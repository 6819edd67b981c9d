#include "odds/ui/InputFormParts.h"

#include "controls/FixedDialog.h"
#include "controls/Label3D.h"
#include "controls/MessageBox.h"
#include "controls/PixelFont.h"
#include "controls/SaNumEditExC.h"
#include "odds/model/StakeNote.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kFieldWidth = 121;
constexpr int kFieldHeight = 20;
constexpr int kNoteTop = 97;
constexpr int kNoteHeight = 30;  // two lines of the dialog's font

// After a refusal the box gave the focus back to OK, where the next digits
// typed were lost: it goes to the field, whose text a new number replaces.
void retype(QDialog* dialog)
{
    if (auto* field = dialog->findChild<TSaNumEditExC*>(QStringLiteral("SaNumEditExC1"))) {
        field->setFocus(Qt::OtherFocusReason);
        field->SelectAll();
    }
}

}  // namespace

InputFormParts buildInputForm(QDialog* dialog, InputKind kind, const QString& caption, int clientWidth,
                              int clientHeight, const QString& numberCaption)
{
    const bool stake = kind == InputKind::Stake;
    const QStringList prompt = stake ? QStringList{QStringLiteral("シミュレーションしたい金額を入力"),
                                                   QStringLiteral("してください。")}
                                     : QStringList{QStringLiteral("シミュレーションしたいオッズを入力"),
                                                   QStringLiteral("してください。（低下した仮定オッズ）")};
    dialog->setWindowTitle(caption);
    // A caption cut by the title bar ("仮定投…額入力") hides the bet type.
    clientWidth = std::max(clientWidth, tavek::dialog::captionWidth(caption));
    clientHeight += kNoteHeight;
    tavek::dialog::makeFixed(dialog, QSize(clientWidth, clientHeight));
    dialog->setFont(pixelFont(QStringLiteral("ＭＳ Ｐゴシック"), 12, false));

    InputFormParts parts;
    parts.Label1 = new QLabel(prompt.join(u'\n'), dialog);
    parts.Label1->setObjectName(QStringLiteral("Label1"));
    parts.Label1->setGeometry(kMargin, 8, clientWidth - 2 * kMargin, 32);

    parts.Label3D8 = new Label3D(numberCaption, dialog);
    parts.Label3D8->setObjectName(QStringLiteral("Label3D8"));
    parts.Label3D8->setGeometry(kMargin, 48, 88, 17);
    parts.Label3D8->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    parts.Label3D9 = new Label3D(QString(), dialog);
    parts.Label3D9->setObjectName(QStringLiteral("Label3D9"));
    parts.Label3D9->setGeometry(kMargin + 96, 48, 59, 17);
    parts.Label3D9->setAlignment(Qt::AlignCenter);
    parts.Label3D9->setFont(pixelFont(dialog->font().family(), 13, true));
    parts.Label3D9->setAutoFillBackground(true);
    QPalette numberColours = parts.Label3D9->palette();
    numberColours.setColor(QPalette::Window, QColor(0, 255, 255));
    numberColours.setColor(QPalette::WindowText, QColor(0, 0, 255));
    parts.Label3D9->setPalette(numberColours);

    auto* field = new TSaNumEditExC(dialog);
    parts.SaNumEditExC1 = field;
    field->setObjectName(QStringLiteral("SaNumEditExC1"));
    field->setIntegerLength(7);
    field->setDecimalLength(stake ? 0 : 1);
    field->setMinus(false);
    field->setEnterFocusMove(true);
    field->setArrowFocusMove(true);
    field->setAutoSize(false);
    field->setFont(pixelFont(QStringLiteral("ＭＳ ゴシック"), 13, true));
    field->setCursor(Qt::IBeamCursor);
    field->setGeometry((clientWidth - kFieldWidth) / 2, 74, kFieldWidth, kFieldHeight);

    // A refused digit only beeps, which a muted desktop does not sound: the
    // note says why, and so does the field's tooltip before any refusal.
    const QString limit = stake ? tavek::sim::stakeLimitNote() : tavek::sim::oddsLimitNote();
    field->setToolTip(limit);
    parts.Label2 = new QLabel(dialog);
    parts.Label2->setObjectName(QStringLiteral("Label2"));
    parts.Label2->setGeometry(kMargin, kNoteTop, clientWidth - 2 * kMargin, kNoteHeight);
    parts.Label2->setWordWrap(true);
    parts.Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QLabel* note = parts.Label2;
    QObject::connect(field, &TSaNumEdit::OnRefuse, note, [note, limit] { note->setText(limit); });
    QObject::connect(field, &TSaNumEdit::OnChange, note, [note, field, stake] {
        note->setText(stake ? tavek::sim::stakeNote(field->AsInteger()) : QString());
    });

    const int buttonTop = clientHeight - kMargin - kButtonHeight;
    parts.BitBtn2 = new QPushButton(dialog->style()->standardIcon(QStyle::SP_DialogCloseButton),
                                    QStringLiteral("閉じる(&C)"), dialog);
    parts.BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    parts.BitBtn2->setGeometry(kMargin, buttonTop, kButtonWidth, kButtonHeight);
    QObject::connect(parts.BitBtn2, &QPushButton::clicked, dialog, &QDialog::reject);

    parts.BitBtn1 = new QPushButton(dialog->style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"),
                                    dialog);
    parts.BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    parts.BitBtn1->setGeometry(clientWidth - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
    parts.BitBtn1->setDefault(true);

    QWidget::setTabOrder(field, parts.BitBtn1);
    QWidget::setTabOrder(parts.BitBtn1, parts.BitBtn2);
    field->setFocus();
    return parts;
}

long double InputFormParts::enteredOdds() const
{
    return SaNumEditExC1->Text().isEmpty() ? 0.0L : SaNumEditExC1->AsFloat();
}

void finishOk(QDialog* dialog, const std::function<tavek::sim::SimResult()>& simulation,
              const std::function<QString(tavek::sim::SimResult)>& message)
{
    using tavek::sim::SimResult;
    SimResult result = SimResult::None;
    try {
        result = simulation();
    } catch (const std::runtime_error& e) {
        tavek::MessageBox::error(QString::fromStdString(e.what()));
        retype(dialog);
        return;
    }
    if (result == SimResult::Accepted || result == SimResult::None) {
        dialog->accept();
        return;
    }
    tavek::MessageBox::error(message(result));
    if (result == SimResult::Unrealistic)
        QApplication::beep();
    retype(dialog);
}
