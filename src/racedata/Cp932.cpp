#include "racedata/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tavek::cp932 {

namespace {
constexpr const char* kCodecName = "windows-31j";
}

QString decode(QByteArrayView bytes)
{
    QStringDecoder decoder(kCodecName);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray encode(QStringView text)
{
    QStringEncoder encoder(kCodecName);
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

bool available()
{
    return QStringDecoder(kCodecName).isValid();
}

}  // namespace tavek::cp932
