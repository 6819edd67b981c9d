#include "support/gui/MainWindowFixture.h"

#include "app/TavekApplication.h"
#include "appfiles/AppFolder.h"
#include "appfiles/AppIdentity.h"
#include "appfiles/IniGT.h"
#include "support/RaceFixture.h"

#include <QComboBox>
#include <QDir>
#include <QTest>

namespace tavek::test {

MainWindowFixture::MainWindowFixture()
{
    installFonts();
    // Tests close windows without ending the application.
    QApplication::setQuitOnLastWindowClosed(false);
    appfolder::setPath(dir_.path());
}

MainWindowFixture::~MainWindowFixture() = default;

QString MainWindowFixture::dataFolder() const
{
    return identity::dataFolderIn(folder());
}

QString MainWindowFixture::settingsPath() const
{
    return TIniGT().path();
}

QString MainWindowFixture::logPath() const
{
    return QDir(folder()).filePath(QStringLiteral("ErrorLog.txt"));
}

void MainWindowFixture::writeFixtureDay() const
{
    const FixtureDay day = fixtureDay();
    writeDay(kFixtureDate, day.races, day.votes);
}

void MainWindowFixture::writeDay(const QString& dateText, const QList<QByteArray>& races,
                                 const QList<QByteArray>& votes) const
{
    QDir().mkpath(dataFolder());
    writeRecords(QDir(dataFolder()).filePath(dateText + QStringLiteral(".jvRA")), races);
    if (!votes.isEmpty())
        writeRecords(QDir(dataFolder()).filePath(dateText + QStringLiteral(".jvH1")), votes);
}

TMainForm& MainWindowFixture::start()
{
    form_ = std::make_unique<TMainForm>();
    form_->show();
    if (!QTest::qWaitForWindowExposed(form_.get()))
        qWarning("main window not exposed");
    return *form_;
}

void MainWindowFixture::pickDate(const QString& dateText)
{
    form_->DateCombo->setCurrentIndex(form_->DateCombo->findText(dateText));
    form_->DateComboChange();
}

void MainWindowFixture::pickRace(int index)
{
    form_->lbRace->setCurrentIndex(index);
    form_->lbRaceChange();
}

}  // namespace tavek::test
