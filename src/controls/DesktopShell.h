#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// The program's few calls into the desktop: the default action on a document
// or address, the registered browser command and starting a command line.
// Tests replace them through Hooks so that nothing is really opened.
namespace tavek::desktop {

// Default action on a file or address; true when the desktop took it, false
// also when it names no program for the kind of file or address.
bool open(const QUrl& target);

// The default browser's command line with "%1" where the address goes, from
// the desktop's default browser (platform/DesktopQuery), else x-www-browser;
// empty when there is none.
QString registeredBrowserCommand();

// Starts a command line without waiting for it; true when it started.
bool start(const QString& commandLine);

struct Hooks {
    std::function<bool(const QUrl&)> open;
    std::function<QString()> browserCommand;
    std::function<bool(const QString&)> start;
};

// Replaces the real calls for the object's lifetime (tests).
class ScopedHooks {
public:
    explicit ScopedHooks(Hooks hooks);
    ~ScopedHooks();
    ScopedHooks(const ScopedHooks&) = delete;
    ScopedHooks& operator=(const ScopedHooks&) = delete;
};

}  // namespace tavek::desktop
