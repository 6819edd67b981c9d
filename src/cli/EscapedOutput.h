#pragma once

#include <QIODevice>

namespace tavek::cli {

// The standard output and error of tavek-cli: UTF-8 text passes, control
// characters other than line feed and tab are written as escapes, so bytes
// of a day file cannot move the terminal's cursor or switch its modes.
// C0 controls become \xHH; DEL and C1 controls become \u00HH, which also
// keeps a JSON string valid (JSON escapes C0 itself). A CR right before a
// line feed passes too: it ends every CSV row, and a lone CR (one that could
// overwrite a line on the terminal) stays escaped.
class EscapedOutput : public QIODevice {
public:
    explicit EscapedOutput(QIODevice& target);
    ~EscapedOutput() override;

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override;

private:
    QIODevice& target_;
    // A C1 control is two bytes in UTF-8 (C2 80..9F); a write may end between them.
    bool pendingC2_ = false;
    // Likewise the LF of a CR LF.
    bool pendingCr_ = false;
};

}  // namespace tavek::cli
