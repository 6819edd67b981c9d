#include "cli/EscapedOutput.h"

#include <QByteArray>
#include <QFileDevice>

#include <array>

namespace tavek::cli {

namespace {

// The bytes that are looked at one by one: C0 controls but line feed and
// tab, DEL, and 0xC2, which may start a C1 control.
constexpr std::array<bool, 256> kLookedAt = [] {
    std::array<bool, 256> t{};
    for (int b = 0; b < 0x20; ++b)
        t[b] = b != '\n' && b != '\t';
    t[0x7F] = t[0xC2] = true;
    return t;
}();

void appendEscape(QByteArray& out, const char* form, unsigned char value)
{
    static const char hex[] = "0123456789abcdef";
    out += form;
    out += hex[value >> 4];
    out += hex[value & 0xF];
}

}  // namespace

EscapedOutput::EscapedOutput(QIODevice& target) : target_(target)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

EscapedOutput::~EscapedOutput()
{
    if (pendingC2_)
        target_.write("\xC2", 1);
    if (pendingCr_)
        target_.write("\\x0d");
}

qint64 EscapedOutput::writeData(const char* data, qint64 length)
{
    QByteArray out;
    out.reserve(length + 8);
    // Bytes that pass as they are go over in runs; each other byte is looked at.
    qint64 run = 0;
    for (qint64 i = 0; i < length; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        if (!kLookedAt[b] && !pendingCr_ && !pendingC2_)
            continue;
        out.append(data + run, i - run);
        run = i + 1;
        if (pendingCr_) {
            pendingCr_ = false;
            if (b == '\n')
                out += '\r';
            else
                appendEscape(out, "\\x", '\r');
        }
        if (pendingC2_) {
            pendingC2_ = false;
            if (b >= 0x80 && b <= 0x9F) {
                appendEscape(out, "\\u00", b);
                continue;
            }
            out += '\xC2';
        }
        if (b == 0xC2)
            pendingC2_ = true;
        else if (b == '\r')
            pendingCr_ = true;
        else if ((b < 0x20 && b != '\n' && b != '\t'))
            appendEscape(out, "\\x", b);
        else if (b == 0x7F)
            appendEscape(out, "\\u00", b);
        else
            out += char(b);
    }
    out.append(data + run, length - run);
    if (target_.write(out) != out.size())
        return -1;
    // What the text stream flushes reaches the file or pipe now, not once the
    // C library's buffer is full: a line of quick --every is read as it ends.
    if (auto* file = qobject_cast<QFileDevice*>(&target_); file && !file->flush())
        return -1;
    return length;
}

}  // namespace tavek::cli
