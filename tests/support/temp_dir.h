// A private folder for the running test, removed with the object, and byte-exact file writing
// and reading in it.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace testing_support {

class TempDir {
  public:
    // Named after the process and the running test, so that tests side by side never meet; a
    // test with several folders tells them apart by `suffix`.
    explicit TempDir(const std::string& suffix = "") {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "tavrin_" + std::to_string(::getpid()) + suffix;
        if (info)
            name += std::string("_") + info->test_suite_name() + "_" + info->name();
        m_path = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    // Writes the bytes as they are, creating the folders on the way; returns the full path.
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path file = m_path / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    static std::string Read(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // The names in the folder (or a folder below it), sorted.
    std::vector<std::string> Names(const std::filesystem::path& below = {}) const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(m_path / below))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::filesystem::path m_path;
};

}  // namespace testing_support
