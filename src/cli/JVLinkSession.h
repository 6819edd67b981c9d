#pragma once

#include "cli/Command.h"
#include "jvlink/client/JVDTLabLib_TLB.h"

#include <memory>

// What the acquisition commands share: a ready JV-Link, and the settings
// file and error log of the application folder that holds the data folder,
// so that the program and tavek-cli advance the same start point.
namespace tavek::cli {

// JV-Link after JVInit; BadInput when it cannot be created or initialised.
std::unique_ptr<jvlink::JVDTLabLib_TLB> openJVLink();

// Before an acquisition: each file it uses that cannot be used as it is, on
// ctx.err: a settings file that is not read (its defaults serve), an error log
// set aside and begun afresh. The command goes on.
void reportUnusableFiles(CommandContext& ctx);

// The folder that holds the data folder, with the settings file, the error
// log and the odds history.
QString applicationFolder(const QString& dataFolder);
QString settingsPath(const QString& dataFolder);
QString errorLogPath(const QString& dataFolder);
QString historyPath(const QString& dataFolder);

}  // namespace tavek::cli
