#pragma once

#include "app/MainForm.h"
#include "support/RaceFixture.h"

#include <QByteArray>
#include <QList>
#include <QTemporaryDir>
#include <memory>

namespace tavek::test {

// The main window in a fresh temporary application folder, for widget tests.
// The folder starts empty; writeFixtureDay() puts the fixture day into its
// data folder, start() creates and shows the window (FormCreate, FormShow).
class MainWindowFixture {
public:
    MainWindowFixture();
    ~MainWindowFixture();
    MainWindowFixture(const MainWindowFixture&) = delete;
    MainWindowFixture& operator=(const MainWindowFixture&) = delete;

    QString folder() const { return dir_.path(); }
    QString dataFolder() const;
    QString settingsPath() const;
    QString logPath() const;

    // The fixture day (test::fixtureDay) in the data folder.
    static inline const QString& kFixtureDate = test::kFixtureDate;
    void writeFixtureDay() const;
    void writeDay(const QString& dateText, const QList<QByteArray>& races, const QList<QByteArray>& votes) const;

    TMainForm& start();
    TMainForm& form() { return *form_; }

    // As the user picks them: the selection, then the change handler.
    void pickDate(const QString& dateText);
    void pickRace(int index);

private:
    QTemporaryDir dir_;
    std::unique_ptr<TMainForm> form_;
};

}  // namespace tavek::test
