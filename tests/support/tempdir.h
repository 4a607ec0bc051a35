#pragma once
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

// A new directory in the system's temporary one; mkdtemp is not everywhere.
inline std::filesystem::path newTemporaryDirectory(const std::string& prefix)
{
    std::mt19937_64 generator{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto path = std::filesystem::temp_directory_path() / (prefix + std::to_string(generator()));
        if (std::filesystem::create_directory(path))
            return path;
    }
    throw std::runtime_error("no temporary directory");
}
