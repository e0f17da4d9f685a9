// A database table as text (docs/bowlingdb.md): '#' comments and blank lines
// skipped, a line of '|'-separated column names, then one record a line with as
// many trimmed fields. Every fault throws std::invalid_argument "file:line: what".
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "console/types.h"

namespace dbcompile {

class DbTextTable;

class DbTextRow {
public:
    DbTextRow(const DbTextTable* table, int line, std::vector<std::string> fields)
        : table_(table), line_(line), fields_(std::move(fields)) {}

    int Line() const { return line_; }
    const std::string& Text(const char* column) const;
    // Decimal or 0x-hex, within [min, max].
    s64 Int(const char* column, s64 min, s64 max) const;
    f64 Float(const char* column, f64 min, f64 max) const;
    // Four space-separated floats.
    std::vector<f32> Vector4(const char* column) const;
    // The position of the field's word in `names`.
    u32 Choice(const char* column, std::initializer_list<const char*> names) const;
    [[noreturn]] void Fail(const std::string& what) const;

private:
    const DbTextTable* table_;
    int line_;
    std::vector<std::string> fields_;
};

class DbTextTable {
public:
    DbTextTable(std::string file, const std::string& text);
    // Rows point at their table.
    DbTextTable(const DbTextTable&) = delete;
    DbTextTable& operator=(const DbTextTable&) = delete;

    const std::string& File() const { return file_; }
    const std::vector<DbTextRow>& Rows() const { return rows_; }
    // Refuses a column not in `names` and a name with no column.
    void ExpectColumns(std::initializer_list<const char*> names) const;
    // The field index of a column.
    size_t Column(const char* name) const;
    [[noreturn]] void Fail(int line, const std::string& what) const;

private:
    std::string file_;
    int headerLine_ = 0;
    std::vector<std::string> columns_;
    std::vector<DbTextRow> rows_;
};

}  // namespace dbcompile
