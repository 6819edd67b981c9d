// Data acquisition from the main window: the batch acquisition window and the
// quick-report vote counts open from here.
#include "app/MainForm.h"

void TMainForm::JVBtnClick()
{
}

void TMainForm::SokuhoHyosuBtnClick()
{
}

void TMainForm::N11Click()
{
}
