#pragma once

#include <QString>

inline const QString ProductName = QStringLiteral("Parlino");
inline const QString CopyrightLine = QStringLiteral("Copyright \u00A9 2025 Norvanesys. All rights reserved.");
// The application id under which the desktop entry, icon and metainfo install.
inline const QString DesktopId = QStringLiteral("io.github.norvanesys.Parlino");
