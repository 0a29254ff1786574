#pragma once

#include <QString>

// The instrument's base directory, under which the theme images, the translation files and the
// default table cell component lie.
// The build fixes the installed default; the environment variable COMMON_BASE_DIR overrides it
// (desktop runs, tests). Read on every call, so a process may set it before the first use.
namespace BaseDirectory {

// An absolute path ending with "/".
QString path();
// `relative` below the base directory.
QString filePath(const QString &relative);

} // namespace BaseDirectory
