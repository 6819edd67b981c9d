#include "controls/FixedDialog.h"

#include "controls/PixelFont.h"

#include <QFontMetrics>
#include <QWidget>

namespace tavek::dialog {

namespace {

// Window icon, close button and the padding around the title in common
// window managers' themes (openbox, xfwm, metacity): about 3 buttons' worth.
constexpr int kTitleBarChrome = 64;
constexpr int kTitlePixels = 12;

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
    return metrics.horizontalAdvance(caption) + kTitleBarChrome;
}

}  // namespace tavek::dialog
