// The database tests' sample tables (tables/), copied to a temporary folder where
// a test may edit them before compiling, and a way into the compiled image.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "source/BowlingDb/BowlingDbFormat.h"
#include "tools/dbcompile/DbCompile.h"

class DbTestTables {
public:
    DbTestTables() {
        std::string pattern = (std::filesystem::temp_directory_path() / "bowling-db-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        for (const auto& entry : std::filesystem::directory_iterator(BOWLING_TEST_DB_TABLES))
            std::filesystem::copy_file(entry.path(), folder_ / entry.path().filename());
    }
    ~DbTestTables() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    DbTestTables(const DbTestTables&) = delete;
    DbTestTables& operator=(const DbTestTables&) = delete;

    // Replaces the first `from` in the file with `to`.
    void Edit(const std::string& file, const std::string& from, const std::string& to) {
        std::ostringstream read;
        read << std::ifstream(folder_ / file).rdbuf();
        std::string text = read.str();
        const size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << file << " has no \"" << from << "\"";
        text.replace(at, from.size(), to);
        std::ofstream(folder_ / file, std::ios::trunc) << text;
    }
    void Remove(const std::string& file) { std::filesystem::remove(folder_ / file); }

    std::vector<u8> Compile() const { return dbcompile::DbCompile(folder_.string()); }

private:
    std::filesystem::path folder_;
};

// The file offset of a 32-bit field of a record: `word` counts the record's words.
inline u32 DbRecordWord(const std::vector<u8>& image, e_DbBlockId id, u32 record, u32 word) {
    u32 at = DB_FILE_HEADER_SIZE;
    while (LoadBE32(&image[at]) != id)
        at += LoadBE32(&image[at + 12]);
    return at + DB_BLOCK_HEADER_SIZE + record * DbRecordSize[id] + word * 4;
}

// The file offset of a block's header.
inline u32 DbBlockHeader(const std::vector<u8>& image, e_DbBlockId id) {
    return DbRecordWord(image, id, 0, 0) - DB_BLOCK_HEADER_SIZE;
}
