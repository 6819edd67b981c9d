#include "controls/FixedDialog.h"

#include <QWidget>

namespace tavek::dialog {

namespace {

// Window managers centre the caption on the whole title bar (openbox, xfwm,
// metacity) and cut it where it would run into the buttons; openbox keeps
// minimise, maximise and close on the right whatever the window asks for.
// So the caption needs on either side the room of three 16-pixel buttons
// with their gaps, the frame border and the label's padding.
constexpr int kTitleBarSide = 55;
// A common title font ("sans bold 8", openbox's default, at 96 dpi) draws a
// full-width glyph about 11 pixels wide and a half-width one about 6. The
// caption is counted in those units rather than measured with a Qt font:
// the window manager draws it, not Qt, and Qt's measure of the same font
// differs between platforms.
constexpr int kFullWidth = 11;
constexpr int kHalfWidth = 6;

bool fullWidth(char32_t c)
{
    const bool halfwidthForms = c >= 0xFF61 && c <= 0xFFDC;
    return c >= 0x1100 && !halfwidthForms;
}

}  // namespace

void makeFixed(QWidget* window)
{
    // CustomizeWindowHint: only the hints given here, so no minimise or
    // maximise button is added by default.
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
}

void makeFixed(QWidget* window, QSize size)
{
    makeFixed(window);
    window->setFixedSize(size);
}

int captionWidth(const QString& caption)
{
    int width = 0;
    for (const char32_t c : caption.toUcs4())
        width += fullWidth(c) ? kFullWidth : kHalfWidth;
    return width + 2 * kTitleBarSide;
}

}  // namespace tavek::dialog
