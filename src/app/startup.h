#pragma once

#include <QString>
#include <QStringList>

// The companion files the program needs beside it, in the order checked.
// The TLS check that libcurl offers HTTPS stands between them, in the place of
// the TLS libraries.
inline const QString BusyAnimationFile = QStringLiteral("norvanesys.rcc");
inline const QString SoundFile = QStringLiteral("Sound.wav");

// Where companion files are looked for: the executable's directory, then the
// shared data folder of an installed layout (../share/parlino from bin/).
QStringList CompanionDirs(const QString& exeDir);

// The full path of a companion file, or an empty string when it is nowhere.
QString CompanionFilePath(const QString& fileName);

// Whether every companion file exists and TLS is available.
bool CoreFilesPresent(const QString& exeDir, bool tlsAvailable);

// The program: single instance, companion check, main window, event loop.
// Returns the process exit code, which is 0 on every path.
int RunParlino(int argc, char** argv);
