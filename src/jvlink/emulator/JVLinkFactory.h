#pragma once

#include "jvlink/client/JVDTLabLib_TLB.h"

#include <functional>
#include <memory>

namespace tavek::jvlink {

using JVLinkFactory = std::function<std::unique_ptr<JVDTLabLib_TLB>()>;

// Creates the program's JV-Link instance (the emulated service unless a
// factory was installed). Nothing when it cannot be created, for any reason:
// that is what the start-up presence test asks.
std::unique_ptr<JVDTLabLib_TLB> createJVLink();

// Installs another factory (tests: one that fails by returning nothing or by
// throwing); an empty function restores the default.
void setFactory(JVLinkFactory factory);

}  // namespace tavek::jvlink
