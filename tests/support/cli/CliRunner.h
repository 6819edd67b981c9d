#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

// tavek-cli run in the test's process, through the same entry as the program
// (tavek::cli::run), its two outputs kept apart.
namespace tavek::test {

struct CliOutcome {
    int code = 0;
    QString out;
    QString err;
    // The standard output as the one JSON object --json prints.
    QJsonObject json() const;
    // The standard output's lines, empty ones left out.
    QStringList lines() const;
};

// `args` as tavek-cli gets them after its own name.
CliOutcome runCli(const QStringList& args);
// The same on a data folder: "--data FOLDER" before `args`.
CliOutcome runCli(const QString& dataFolder, const QStringList& args);

}  // namespace tavek::test
