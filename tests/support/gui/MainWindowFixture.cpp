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

const QString MainWindowFixture::kFixtureDate = QStringLiteral("2005年04月16日");

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
    const QByteArray key11 = raceKey("20050416", "05", 11, 2, 8);
    const QByteArray key01 = raceKey("20050416", "05", 1, 2, 8);
    const QByteArray key12 = raceKey("20050416", "06", 12, 3, 4);

    H1Record main(key11);
    main.registered(16).starters(15);
    long long total = 0;
    for (int h = 1; h <= 16; ++h) {
        const long long votes = h == 3 ? 0 : 1000LL * h;
        main.win(h, votes);
        total += votes;
    }
    main.refund(3).winTotal(total);

    H1Record full(key01);
    full.registered(18).starters(18);
    total = 0;
    for (int h = 1; h <= 18; ++h) {
        full.win(h, 500LL * h);
        total += 500LL * h;
    }
    full.winTotal(total);

    writeDay(kFixtureDate,
             {RaRecord(key11).name(QStringLiteral("テストステークス")),
              RaRecord(key01).name(QStringLiteral("２歳未勝利")), RaRecord(key12).name(QStringLiteral("中山最終"))},
             {main, full});
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
