#include "tools/dbcompile/DbTextTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace dbcompile {

namespace {

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1)
        fields.push_back(Trim(line.substr(start, bar - start)));
    fields.push_back(Trim(line.substr(start)));
    return fields;
}

bool ParseFloat(const std::string& text, f64* value) {
    const char* end = text.data() + text.size();
    auto [next, error] = std::from_chars(text.data(), end, *value);
    return !text.empty() && error == std::errc() && next == end && std::isfinite(*value);
}

}  // namespace

DbTextTable::DbTextTable(std::string file, const std::string& text) : file_(std::move(file)) {
    std::istringstream stream(text);
    std::string raw;
    for (int number = 1; std::getline(stream, raw); ++number) {
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields = Split(line);
        if (headerLine_ == 0) {
            headerLine_ = number;
            for (const std::string& name : fields) {
                if (name.empty() || std::count(fields.begin(), fields.end(), name) > 1)
                    Fail(number, "empty or repeated column \"" + name + "\"");
            }
            columns_ = std::move(fields);
            continue;
        }
        if (fields.size() != columns_.size())
            Fail(number, std::to_string(fields.size()) + " fields, want " + std::to_string(columns_.size()));
        rows_.emplace_back(this, number, std::move(fields));
    }
    if (headerLine_ == 0)
        Fail(1, "no column line");
}

void DbTextTable::ExpectColumns(std::initializer_list<const char*> names) const {
    for (const std::string& column : columns_) {
        if (std::find(names.begin(), names.end(), column) == names.end())
            Fail(headerLine_, "unknown column \"" + column + "\"");
    }
    for (const char* name : names) {
        if (std::find(columns_.begin(), columns_.end(), name) == columns_.end())
            Fail(headerLine_, std::string("missing column \"") + name + "\"");
    }
}

size_t DbTextTable::Column(const char* name) const {
    const auto found = std::find(columns_.begin(), columns_.end(), name);
    if (found == columns_.end())
        Fail(headerLine_, std::string("missing column \"") + name + "\"");
    return size_t(found - columns_.begin());
}

void DbTextTable::Fail(int line, const std::string& what) const {
    throw std::invalid_argument(file_ + ":" + std::to_string(line) + ": " + what);
}

const std::string& DbTextRow::Text(const char* column) const {
    return fields_[table_->Column(column)];
}

s64 DbTextRow::Int(const char* column, s64 min, s64 max) const {
    const std::string& text = Text(column);
    const bool negative = !text.empty() && text[0] == '-';
    const size_t digits = negative ? 1 : 0;
    const bool hex = text.compare(digits, 2, "0x") == 0 || text.compare(digits, 2, "0X") == 0;
    const char* first = text.data() + digits + (hex ? 2 : 0);
    const char* end = text.data() + text.size();
    u64 magnitude = 0;
    auto [next, error] = std::from_chars(first, end, magnitude, hex ? 16 : 10);
    if (first == end || error != std::errc() || next != end || magnitude > (u64(1) << 40))
        Fail(std::string(column) + ": bad number \"" + text + "\"");
    const s64 value = negative ? -s64(magnitude) : s64(magnitude);
    if (value < min || value > max)
        Fail(std::string(column) + ": " + text + " out of range " + std::to_string(min) + ".." +
             std::to_string(max));
    return value;
}

f64 DbTextRow::Float(const char* column, f64 min, f64 max) const {
    const std::string& text = Text(column);
    f64 value = 0.0;
    if (!ParseFloat(text, &value))
        Fail(std::string(column) + ": bad number \"" + text + "\"");
    if (!(value >= min && value <= max))
        Fail(std::string(column) + ": " + text + " out of range");
    return value;
}

std::vector<f32> DbTextRow::Vector4(const char* column) const {
    std::istringstream words(Text(column));
    std::vector<f32> vector;
    std::string word;
    f64 value = 0.0;
    while (words >> word) {
        if (!ParseFloat(word, &value))
            Fail(std::string(column) + ": bad number \"" + word + "\"");
        vector.push_back(f32(value));
    }
    if (vector.size() != 4)
        Fail(std::string(column) + ": want four numbers");
    return vector;
}

u32 DbTextRow::Choice(const char* column, std::initializer_list<const char*> names) const {
    const std::string& text = Text(column);
    const auto found = std::find(names.begin(), names.end(), text);
    if (found == names.end())
        Fail(std::string(column) + ": unknown value \"" + text + "\"");
    return u32(found - names.begin());
}

void DbTextRow::Fail(const std::string& what) const {
    table_->Fail(line_, what);
}

}  // namespace dbcompile
