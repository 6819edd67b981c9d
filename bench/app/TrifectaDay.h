#pragma once

// The bench day's trifecta file (bench::trifectaRecords), written beside the
// day's other files in the application folder. The window reads it when a
// trifecta figure is first asked for, so it may be written after the day is
// loaded.

#include "appfiles/AppFolder.h"
#include "appfiles/AppIdentity.h"
#include "support/BenchDay.h"

#include <QDir>

namespace tavek::bench {

inline void writeTrifecta(const QString& day)
{
    writeRecords(QDir(identity::dataFolderIn(appfolder::path())).filePath(day + QStringLiteral(".jvH6")),
                 trifectaRecords());
}

}  // namespace tavek::bench
