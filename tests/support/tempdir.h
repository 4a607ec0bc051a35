#pragma once
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

// A new, empty directory under the system's temporary directory, named
// `prefix` and random letters; mkdtemp is not everywhere.
inline std::filesystem::path newTemporaryDirectory(const std::string& prefix)
{
    std::mt19937_64 generator{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = prefix;
        for (int i = 0; i < 8; ++i)
            name.push_back(static_cast<char>('a' + generator() % 26));
        const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
        if (std::filesystem::create_directory(path))
            return path;
    }
    throw std::runtime_error("no temporary directory");
}
