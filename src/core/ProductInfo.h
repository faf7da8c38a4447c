#pragma once

// The product's names, version and legal notice, in one place.

#include <QString>

#ifndef VELKOR_VERSION_MAJOR
#define VELKOR_VERSION_MAJOR 0
#endif
#ifndef VELKOR_VERSION_MINOR
#define VELKOR_VERSION_MINOR 0
#endif
#ifndef VELKOR_VERSION_REVISION
#define VELKOR_VERSION_REVISION 0
#endif

namespace product {

inline const QString ProductName = QStringLiteral("Velkor-PED");
inline const QString CompanyName = QStringLiteral("Brisvale");
// The name of the program's desktop entry (share/applications/velkor-ped.desktop).
inline const QString DesktopFileName = QStringLiteral("velkor-ped");
inline const QString LegalCopyright =
    QStringLiteral("Copyright \u00A9 Brisvale. All rights reserved. This program is protected by copyright law "
                   "and international treaties; unauthorised copying or distribution of it, or of any part of "
                   "it, is prohibited.");

constexpr int VersionMajor = VELKOR_VERSION_MAJOR;
constexpr int VersionMinor = VELKOR_VERSION_MINOR;
constexpr int VersionRevision = VELKOR_VERSION_REVISION;

// "Version 1.16.1"
inline QString VersionText(int major = VersionMajor, int minor = VersionMinor, int revision = VersionRevision)
{
    return QStringLiteral("Version %1.%2.%3").arg(major).arg(minor).arg(revision);
}

// Names the running program for the system: application and organisation (settings, window class)
// and its desktop entry. Called once, right after the application object is made.
void identifyApplication();

} // namespace product
