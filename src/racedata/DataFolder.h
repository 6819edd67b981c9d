#pragma once

#include <QString>

// Where the program keeps its day files. The application folder is the
// executable's folder when it is writable, otherwise the per-user data folder
// (QStandardPaths::AppDataLocation) with the same layout inside; the data
// folder is "Data" directly under it. The program and tavek-cli share it, so
// both must run with the same application name (see tavek::kApplicationName).
namespace tavek {

inline constexpr char kApplicationName[] = "Tavek";
inline constexpr char kDataFolderName[] = "Data";

namespace datafolder {

// The application folder of the running executable (needs a QCoreApplication).
QString applicationFolder();

// `applicationFolder` + "/Data".
QString in(const QString& applicationFolder);

// The data folder of the running executable: in(applicationFolder()).
QString defaultFolder();

}  // namespace datafolder
}  // namespace tavek
