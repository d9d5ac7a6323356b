#pragma once

#include <QString>

namespace app {

/// The configuration file: the program's file name with ".INI" in place of its extension.
QString iniPathFor(const QString& programFile);

/// Reads a key of a section of an INI file, ignoring letter case; `fallback` when absent.
QString readIniString(const QString& iniPath, const QString& section, const QString& key,
                      const QString& fallback);

/// Writes a key, keeping every other line of the file; creates file and section when missing.
/// Answers false when the file cannot be written.
bool writeIniString(const QString& iniPath, const QString& section, const QString& key,
                    const QString& value);

/// The data root named by section `Directory`, key `DirBase`, or the program's folder;
/// always ending with the native separator, so that root + year names the year folder.
QString readDataRoot(const QString& iniPath, const QString& programFolder);
bool writeDataRoot(const QString& iniPath, const QString& dataRoot);

/// Appends the native separator when the folder lacks one.
QString withTrailingSeparator(const QString& folder);

} // namespace app
