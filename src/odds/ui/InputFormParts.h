#pragma once

#include "odds/model/SimResult.h"

#include <QString>
#include <QStringList>
#include <functional>

class Label3D;
class QDialog;
class QLabel;
class QPushButton;
class TSaNumEditExC;

// The controls every simulation input dialog shares, with their designer
// names: the two-line prompt Label1, the runner caption Label3D8 with the
// runner number in Label3D9, the numeric field SaNumEditExC1, "OK" (BitBtn1,
// the default button, on the right) and "閉じる(&C)" (BitBtn2, on the left,
// which closes the dialog and changes nothing), and under the field the note
// Label2: how a stake with a remainder is taken, or the field's limit when a
// keystroke is refused.
struct InputFormParts {
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    Label3D* Label3D8 = nullptr;
    Label3D* Label3D9 = nullptr;
    TSaNumEditExC* SaNumEditExC1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

    // The odds in the field; an empty field is no odds at all, refused like
    // odds not above 1.
    long double enteredOdds() const;
};

// What an input dialog asks for: a stake in whole yen, or odds with one decimal.
enum class InputKind { Stake, Odds };

// Builds the controls into `dialog` (a fixed dialog of client size
// `clientWidth` x `clientHeight` and the note's two lines, widened where the
// title bar would cut `caption`): the prompt of `kind`, and a field of 7
// integer digits with the decimals of `kind`, no minus sign, from which Enter
// and the arrows move the focus on. `numberCaption` is the text before the
// number label.
InputFormParts buildInputForm(QDialog* dialog, InputKind kind, const QString& caption, int clientWidth,
                              int clientHeight, const QString& numberCaption);

// The end of OK in every input dialog: runs `simulation` (which shows its
// result on the tab). Accepted or None closes `dialog`; a refused result shows
// its message (`message` of the result) in the error box, with a beep when
// unrealistic; a simulation that fails with std::runtime_error shows the
// failure there. Both leave the dialog open with its input, so the error stops
// here and not in the application's event loop, and give the focus to the
// field with its text selected, so that the next number typed replaces it.
void finishOk(
    QDialog* dialog, const std::function<tavek::sim::SimResult()>& simulation,
    const std::function<QString(tavek::sim::SimResult)>& message = [](tavek::sim::SimResult r) {
        return tavek::sim::refusalMessage(r);
    });
