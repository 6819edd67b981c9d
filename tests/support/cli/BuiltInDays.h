#pragma once

#include <QDate>
#include <QString>

namespace tavek::test {

// The built-in service's days from `from` to `to`, every record of their
// race and vote day files (the trifecta's votes and the payouts with them),
// stored into `dataFolder` as an acquisition stores them.
void storeBuiltInDays(const QString& dataFolder, const QDate& from, const QDate& to);

}  // namespace tavek::test
