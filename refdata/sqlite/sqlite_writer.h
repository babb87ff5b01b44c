#pragma once

#include "refdata/reference_tables.h"

#include <filesystem>

namespace refdata {

// Writes both tables into a new SQLite database at `file`: `zeb` with codigo, nome, estado
// first and then the seven constants, `cn` with its kept first column, terreno, zona and
// cn; rows in the given order; the columns the lookups search indexed. The database is
// built in a temporary file beside the target and renamed into place, so the target is
// either wholly replaced or left as it was. Throws DatabaseFailure.
void writeSqliteDatabase(const std::filesystem::path& file, const ReferenceTables& tables);

} // namespace refdata
