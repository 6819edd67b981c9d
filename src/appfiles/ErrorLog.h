#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace tavek {

// The error log "ErrorLog.txt": one line per program start (with the folder
// line after it), per quick-report failure and per failure that no handler
// stopped. CP932, every line ended by
// CR LF; the file is rewritten whole on each update and is the only state that
// matters: the line list is reloaded before every addition.
class ErrorLog {
public:
    // `path` is the log file; `defaultPath()` is the one the program uses.
    explicit ErrorLog(QString path);
    static QString defaultPath();

    // Loads the log if it exists, keeps its last 100 lines, appends
    // "ソフト起動：yyyy/mm/dd hh:nn:ss" and `applicationFolder`, saves.
    void writeStartupEntry(const QString& applicationFolder);

    // Beeps, reloads the log, appends "【エラー】hh:nn:ss：", saves.
    void writeErrorEntry();

    // Reloads the log if it exists, appends "【エラー】hh:nn:ss：" followed by
    // `message` on the same line (line breaks become blanks), saves. No beep:
    // the error box that follows sounds one.
    void writeFailure(const QString& message);

    // The two writes above for a caller whose log only keeps a failure that
    // the caller reports itself: a log that cannot be written must neither
    // stop that work nor take the place of its cause, so it is passed over.
    void tryWriteErrorEntry() noexcept;
    void tryWriteFailure(const QString& message) noexcept;

    // The line list as last loaded or saved.
    const QStringList& lines() const { return lines_; }
    const QString& path() const { return path_; }

    // The system beep; this layer has no widgets, so the program installs it.
    static void setBeep(std::function<void()> beep);

    static constexpr int kKeptLines = 100;

private:
    void load();
    void loadIfPresent();
    void save() const;

    QString path_;
    QStringList lines_;
};

}  // namespace tavek
