#include "app/StartUp.h"

#include "controls/MessageBox.h"
#include "jvlink/emulator/JVLinkFactory.h"

bool jvLinkPresent()
{
    try {
        return tavek::jvlink::createJVLink() != nullptr;
    } catch (...) {
        // A factory that fails by throwing fails the test like any other way.
        return false;
    }
}

void showJVLinkMissing()
{
    tavek::MessageBox::information(
        nullptr, QStringLiteral("JRA-VANのホームページより【JV-Link】を入手し、インストールしてください。"));
}
