#pragma once

#include <QSize>
#include <QString>

class QWidget;

// The look of the program's fixed dialogs (input dialogs, about box, message
// boxes): a fixed border with a title and a close button only, no minimise
// or maximise, not resizable.
namespace tavek::dialog {

// Window flags of a fixed dialog, for a window whose size its layout fixes.
void makeFixed(QWidget* window);
// The same, and the client area fixed at `size`.
void makeFixed(QWidget* window, QSize size);

// The least client width at which a window manager's title bar shows
// `caption` whole: the caption in a common title font, centred, clear of the
// title bar's buttons.
int captionWidth(const QString& caption);

}  // namespace tavek::dialog
