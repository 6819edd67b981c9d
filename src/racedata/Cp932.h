#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The one place where the program's Shift-JIS (CP932) text meets QString.
// Records, day files, the settings file and the error log stay CP932 bytes;
// text is converted only at the screen and message boundary.
namespace tavek::cp932 {

QString decode(QByteArrayView bytes);
QByteArray encode(QStringView text);

// True when the converter is available (Qt built with ICU).
bool available();

// True for the first byte of a double-byte character; the byte after it
// belongs to the same character whatever its value.
constexpr bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace tavek::cp932
