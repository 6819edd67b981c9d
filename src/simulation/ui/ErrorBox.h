#pragma once

#include <QString>

// The input dialogs' error box (MsgDlg1): the system's error sound, then a
// modal box titled "エラー" with the error icon and one OK button, centred on
// the screen. Returns when the user has closed it.
void showErrorBox(const QString& text);
