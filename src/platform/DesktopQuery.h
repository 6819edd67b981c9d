#pragma once

// What the desktop has registered: the program for a kind of file or
// address, and the default web browser. On Linux the xdg tools answer
// (`xdg-mime query default`, `xdg-settings get default-web-browser`).
//
// A Windows build asks the registry through AssocQueryStringW:
// ASSOCSTR_EXECUTABLE for the extension or scheme, and ASSOCSTR_COMMAND of
// "http" for the browser, its "%1" written as the desktop entry's "%u".

#include <QString>

#include <optional>

namespace tavek::platform {

// Whether the desktop names a program for `mimeType` ("application/pdf",
// "x-scheme-handler/https"); nothing when it cannot tell.
std::optional<bool> hasDefaultApplication(const QString& mimeType);

// The Exec line of the default web browser's desktop entry ("firefox %u");
// empty when none is registered.
QString defaultBrowserExec();

}  // namespace tavek::platform
