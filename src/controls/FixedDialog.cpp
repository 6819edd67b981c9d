#include "controls/FixedDialog.h"

#include "controls/PixelFont.h"

#include <QFontMetrics>
#include <QWidget>

namespace tavek::dialog {

namespace {

// Window managers centre the caption on the whole title bar (openbox, xfwm,
// metacity) and cut it where it would run into the buttons; openbox keeps
// minimise, maximise and close on the right whatever the window asks for.
// So the caption needs on either side the room of three 16-pixel buttons
// with their gaps, the frame border and the label's padding.
constexpr int kTitleBarSide = 55;
// Openbox's default title font, "sans bold 8", draws Japanese at about 11 px.
constexpr int kTitlePixels = 11;

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
    const QFontMetrics metrics(pixelFont(QStringLiteral("IPAPGothic"), kTitlePixels, true));
    return metrics.horizontalAdvance(caption) + 2 * kTitleBarSide;
}

}  // namespace tavek::dialog
