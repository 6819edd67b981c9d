#include "jvlink/emulator/JVLinkFactory.h"

#include "jvlink/emulator/EmulatedJVLink.h"

#include <exception>

namespace tavek::jvlink {

namespace {
JVLinkFactory& installed()
{
    static JVLinkFactory factory;
    return factory;
}
}  // namespace

std::unique_ptr<JVDTLabLib_TLB> createJVLink()
{
    try {
        if (const auto& factory = installed())
            return factory();
        return std::make_unique<EmulatedJVLink>();
    } catch (const std::exception&) {
        return nullptr;
    }
}

void setFactory(JVLinkFactory factory)
{
    installed() = std::move(factory);
}

}  // namespace tavek::jvlink
