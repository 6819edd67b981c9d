#include "racedata/Clock.h"

namespace tavek::clock {

namespace {
std::function<QDateTime()>& source()
{
    static std::function<QDateTime()> s;
    return s;
}
}  // namespace

QDateTime now()
{
    const auto& s = source();
    return s ? s() : QDateTime::currentDateTime();
}

void setSource(std::function<QDateTime()> s)
{
    source() = std::move(s);
}

}  // namespace tavek::clock
