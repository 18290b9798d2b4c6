// A fresh folder under the system's temporary folder for one test, removed
// afterwards, with the byte-level helpers the file tests share.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <system_error>

namespace wdtest {

namespace fs = std::filesystem;

// The whole file as bytes ("" when it cannot be opened).
inline std::string slurp(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Writes the bytes as the whole file, creating its folder when needed.
inline fs::path put(const fs::path &file, const std::string &bytes)
{
    if (file.has_parent_path())
        fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}

class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        do
            dir_ = fs::temp_directory_path() / ("wd_test_" + std::to_string(rd()) + std::to_string(rd()));
        while (!fs::create_directory(dir_));
    }
    void TearDown() override
    {
        std::error_code ec;
        // A test may have taken the write permission away.
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }

    fs::path at(const std::string &name) const { return dir_ / name; }
    std::size_t entries() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }

    fs::path dir_;
};

}  // namespace wdtest
