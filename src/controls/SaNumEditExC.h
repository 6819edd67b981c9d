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
    // The value as a number. Throws std::runtime_error
    // "'<text>' is not a valid floating point value" when it is empty or a lone minus.
    long double AsFloat() const;
};
