// The numeric field's text rules (normalising) and its paste and typing paths
// on arbitrary text under arbitrary digit limits: the value must always
// respect the limits and the sign and point rules, whatever was pasted or typed.
//
// Input: 3 control bytes (integer digits, decimals, flags), the CP932 bytes
// to normalise and paste, separator, the keys to type, separator, the text
// set first.
#include "support/FuzzInput.h"

#include "controls/NumEditText.h"
#include "controls/SaNumEdit.h"
#include "racedata/Cp932.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QRegularExpression>

#include <cstdlib>

using namespace tavek;

namespace {

class Field : public TSaNumEdit {
public:
    void press(int key, const QString& text = {})
    {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
        keyPressEvent(&e);
    }

protected:
    void Beep() override {}
};

void checkValue(const Field& field, const QString& value, const char* path)
{
    static const QRegularExpression form(QStringLiteral("^(-?)([0-9]*)(\\.?)([0-9]*)$"));
    const auto m = form.match(value);
    if (!m.hasMatch())
        fuzz::fail(path, QStringLiteral("value \"%1\" is not a number text").arg(value));
    // A lone "0" is how an empty integer part is written ("0." or "0.5").
    const qsizetype integerDigits = m.captured(2) == u'0' ? 0 : m.captured(2).size();
    if ((!m.captured(1).isEmpty() && !field.Minus()) || integerDigits > field.IntegerLength()
        || m.captured(4).size() > field.DecimalLength() || (!m.captured(3).isEmpty() && field.DecimalLength() == 0))
        fuzz::fail(path, QStringLiteral("value \"%1\" breaks the limits %2.%3")
                             .arg(value)
                             .arg(field.IntegerLength())
                             .arg(field.DecimalLength()));
}

void typeKeys(Field& field, QByteArrayView keys)
{
    for (const char c : keys.first(std::min<qsizetype>(keys.size(), 40))) {
        switch (c) {
        case '\b':
            field.press(Qt::Key_Backspace);
            break;
        case '\x7f':
            field.press(Qt::Key_Delete);
            break;
        case '\x1a':
            field.Undo();
            break;
        case '\x16':
            field.PasteFromClipboard();
            break;
        case '\x18':
            field.CutToClipboard();
            break;
        case '\x01':
            field.SelectAll();
            break;
        default:
            field.press(0, QString(QChar(uchar(c))));
        }
        checkValue(field, field.Text(), "typing");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    new QApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Input in(data, size, 3);
    Field field;
    field.setIntegerLength(in.control(0) % 16);
    field.setDecimalLength(in.control(1) % 8);
    const uint8_t flags = in.control(2);
    field.setMinus(flags & 1);
    field.setComma(flags & 2);
    field.setDecimalFixed(flags & 4);
    field.setIntegerFixed(flags & 8);

    controls::NumEditText rules;
    rules.setIntegerLength(field.IntegerLength());
    rules.setDecimalLength(field.DecimalLength());
    rules.setMinus(field.Minus());
    checkValue(field, rules.normalize(in.part(0)), "normalising");
    field.setText(cp932::decode(in.part(2)));
    checkValue(field, field.Text(), "setText");

    QGuiApplication::clipboard()->setText(cp932::decode(in.part(0)));
    if (flags & 16)
        field.SelectAll();
    field.PasteFromClipboard();
    checkValue(field, field.Text(), "paste");
    field.DisplayText();
    typeKeys(field, in.part(1));
    field.setIntegerLength(in.control(1) % 16);
    field.setDecimalLength(in.control(0) % 8);
    checkValue(field, field.Text(), "new limits");
    return 0;
}
