#pragma once

#include <QString>
#include <vector>

// The screens of the user manual's pictures. manual-shots takes each of them
// from the program's own windows on one fixed race day; the manual shows one
// with ![caption](shot:NAME).
namespace tavek::shots {

struct Screen {
    QString name;
    QString page;  // objectName of the main window's tab page it shows; empty when it shows none
    QString what;  // for `manual-shots --list`
};

// Every screen, in the order manual-shots takes them.
const std::vector<Screen>& screens();

// The screen of that name; null when there is none.
const Screen* screenNamed(const QString& name);

}  // namespace tavek::shots
