#pragma once

#include <QString>

// Who the program is and what its files are called. The window, tavek-cli and
// the tests take every name from here; the version comes from the CMake
// project, so every place that shows it shows the same.
namespace tavek::identity {

// The application name: names the per-user application folder, the same for
// the window and tavek-cli.
inline constexpr char kProgramName[] = "Tavek";
inline constexpr char kDataFolderName[] = "Data";
// The window's executable is TavekJ; its settings file is named after it, and
// tavek-cli reads and advances the same file.
inline constexpr char kSettingsFileName[] = "TavekJ.ini";
inline constexpr char kErrorLogFileName[] = "ErrorLog.txt";
inline constexpr char kManualFileName[] = "Tavek.pdf";

// "Version 2.00": the project version with two-digit minor.
QString versionText();
// The maker's home page: HOMEPAGE_URL of the top-level CMake project.
QString homePage();

// The files in an application folder.
QString dataFolderIn(const QString& applicationFolder);
QString settingsFileIn(const QString& applicationFolder);
QString errorLogIn(const QString& applicationFolder);
QString manualIn(const QString& applicationFolder);

}  // namespace tavek::identity
