#pragma once
#include "cli/orrincalc.h"

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

// One run of orrin-calc in-process, with standard input given and both
// output streams caught.
struct CalcRun {
    int status;
    std::string out;
    std::string err;
};

// msvcrt's tmpfile names collide between test processes running side by side.
inline std::FILE* scratchFile()
{
#if defined(_WIN32)
    const std::string name = "orrin-" + std::to_string(std::random_device{}()) + ".tmp";
    return std::fopen((std::filesystem::temp_directory_path() / name).string().c_str(), "w+bD");
#else
    return std::tmpfile();
#endif
}

inline std::string readAll(std::FILE* file)
{
    std::string text;
    std::rewind(file);
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, got);
    return text;
}

// arguments: without the program name.
inline CalcRun runCalc(const std::vector<std::string>& arguments, const std::string& input = "")
{
    std::vector<const char*> argv{"orrin-calc"};
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    std::FILE* in = scratchFile();
    std::FILE* out = scratchFile();
    std::FILE* err = scratchFile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    CalcRun result;
    result.status = runOrrinCalc(static_cast<int>(argv.size()), argv.data(), in, out, err);
    result.out = readAll(out);
    result.err = readAll(err);
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    return result;
}
