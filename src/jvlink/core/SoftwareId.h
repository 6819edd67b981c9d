#pragma once

#include <QString>

namespace tavek::jvlink {

// The program's version text, shown by the about box and part of the
// software identifier that JVInit gets.
inline QString versionText()
{
    return QStringLiteral("Version 2.00");
}

// The software identifier passed to JVInit.
inline QString softwareId()
{
    return QStringLiteral("SA481927/SD305716/QmrvXK/") + versionText();
}

}  // namespace tavek::jvlink
