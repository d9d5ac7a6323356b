#pragma once

#include <QString>

namespace store {

/// The sentence the user reads when SQLite answers `code` (primary or extended result code)
/// for the table `table`: what happened to it and what to do. SQLite's own `sqliteText` appears
/// only for a code without a sentence of its own.
QString sqliteErrorMessage(int code, const QString& table, const QString& sqliteText);

} // namespace store
