#pragma once

#include <QString>

// The data folder, "Data" directly under the application folder (see
// app/core/AppFolder.h), holds the day files. The program and tavek-cli share
// it, and run under one application name so that a per-user application
// folder is the same for both.
namespace tavek {

inline constexpr char kApplicationName[] = "Tavek";
inline constexpr char kDataFolderName[] = "Data";

namespace datafolder {

// `applicationFolder` + "/Data".
QString in(const QString& applicationFolder);

}  // namespace datafolder
}  // namespace tavek
