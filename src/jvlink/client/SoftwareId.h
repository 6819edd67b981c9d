#pragma once

#include "appfiles/AppIdentity.h"

#include <QString>

namespace tavek::jvlink {

// The software identifier passed to JVInit: the program's registration and
// its version text.
inline QString softwareId()
{
    return QStringLiteral("SA481927/SD305716/QmrvXK/") + identity::versionText();
}

}  // namespace tavek::jvlink
