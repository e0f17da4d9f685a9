// A disc folder of the test's own in the temporary directory, removed again with
// the object, and the host configuration that reads it as the disc.
#pragma once

#include <string>
#include <vector>

#include "console/system.h"

class TempDisc {
public:
    TempDisc();
    ~TempDisc();
    TempDisc(const TempDisc&) = delete;
    TempDisc& operator=(const TempDisc&) = delete;

    const std::string& root() const { return root_; }
    // Writes a file at a disc path ("DATA/TEST.WAD"), making its folders.
    void Write(const std::string& path, const std::vector<u8>& bytes) const;
    void Remove(const std::string& path) const;
    // Links in every file of the disc at `disc` but the disc paths in `except`.
    void LinkAllBut(const std::string& disc, const std::vector<std::string>& except) const;
    // TestHostConfig() reading this folder as the disc.
    HostConfig Config() const;

private:
    std::string root_;
};
