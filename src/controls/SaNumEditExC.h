#pragma once

#include "controls/SaNumEdit.h"

// The field as the input dialogs use it: TSaNumEdit plus its value as a number.
class TSaNumEditExC : public TSaNumEdit {
    Q_OBJECT

public:
    using TSaNumEdit::TSaNumEdit;

    // The value as a signed 32-bit integer; 0 when it is empty, a lone minus,
    // has a point or does not fit.
    int AsInteger() const;
    // The value as a number, read without regard to the locale. Throws
    // std::runtime_error "「<text>」は数値として読めません。" when the text is
    // empty, a lone minus or not wholly one number.
    long double AsFloat() const;
};
