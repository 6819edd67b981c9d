#pragma once

#include <QString>

namespace tavek {

// The settings component: reads and writes the program's settings file, one
// instance per window, every instance addressing the same file. Each write
// goes to the file at once; nothing is cached.
class TIniGT {
public:
    enum TDefaultDir { ddApplication };

    // Empty: the executable's name with the extension ".ini". A name without a
    // folder is placed in DefaultDir.
    QString FileName;
    TDefaultDir DefaultDir = ddApplication;

    // The full path of the file that FileName and DefaultDir designate.
    QString path() const;

    // A text longer than two characters starting with "0x" or "0X" is read as
    // hexadecimal; a text that is not an integer (decimal, or hexadecimal with
    // "$") gives `def`, as does a missing file or key.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    void WriteInteger(const QString& section, const QString& key, int value) const;

    // A stored value enclosed in double quotes or in "｢" "｣" is read without
    // them, so surrounding blanks can be kept; a missing key gives `def`
    // exactly, blanks included.
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Writes the value unchanged (no quotes added).
    void WriteString(const QString& section, const QString& key, const QString& value) const;
};

// The integer reading of a settings text (StrToIntDef with the "0x" rule).
int iniInteger(const QString& text, int def);

}  // namespace tavek
