#include "appfiles/SettingsKeys.h"

#include <algorithm>

namespace tavek::settings {

int read(const TIniGT& file, const IntegerKey& key)
{
    const int value = file.ReadInteger(QLatin1String(key.section), QLatin1String(key.name), key.fallback);
    return std::clamp(value, key.min, key.max);
}

void write(const TIniGT& file, const IntegerKey& key, int value)
{
    file.WriteInteger(QLatin1String(key.section), QLatin1String(key.name), value);
}

QString read(const TIniGT& file, const TextKey& key, const QString& fallback)
{
    return file.ReadString(QLatin1String(key.section), QLatin1String(key.name), fallback);
}

void write(const TIniGT& file, const TextKey& key, const QString& value)
{
    file.WriteString(QLatin1String(key.section), QLatin1String(key.name), value);
}

}  // namespace tavek::settings
