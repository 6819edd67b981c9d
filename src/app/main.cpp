// TavekJ: the program a user starts.
#include "app/MainForm.h"
#include "app/Splash.h"
#include "app/StartUp.h"
#include "app/TavekApplication.h"
#include "appfiles/ErrorLog.h"
#include "jvlink/ui/EmulatorSettingsForm.h"

#include <QPointer>

int main(int argc, char** argv)
{
    TavekApplication app(argc, argv);
    // The splash's credit line needs the fonts; both steps take no time.
    installFonts();
    installQtTranslation();

    QPointer<TSplash> splash = new TSplash;
    splash->showNow();

    tavek::ErrorLog::setBeep([] { QApplication::beep(); });
    tavek::jvlink::ui::installEmulatorSettingsDialog();
    if (!jvLinkPresent()) {
        if (splash)
            splash->release();
        showJVLinkMissing();
        return 0;
    }

    TMainForm form;
    form.show();
    if (splash)
        splash->release();
    return app.exec();
}
