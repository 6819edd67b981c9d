#pragma once

#include <QDateTime>
#include <functional>

// The program's one source of "now". Everything that reads the clock (the
// emulated service's calendar, default settings, log stamps) asks here, so a
// test can fix the time.
namespace tavek::clock {

QDateTime now();

// Replaces the clock; an empty function restores the system clock.
void setSource(std::function<QDateTime()> source);

// Fixes "now" for the lifetime of the object (tests).
class FixedNow {
public:
    explicit FixedNow(const QDateTime& at)
    {
        setSource([at] { return at; });
    }
    ~FixedNow() { setSource({}); }
    FixedNow(const FixedNow&) = delete;
    FixedNow& operator=(const FixedNow&) = delete;
};

}  // namespace tavek::clock
