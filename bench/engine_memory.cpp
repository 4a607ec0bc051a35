// Peak heap memory of one calculate call per byte of input, for long texts of
// several shapes. Every allocation of the process goes through the counting
// operator new below; the count starts after the text is built, so the
// figures are the engine's own working memory.
// usage: engine_memory [MEGABYTES...]   (default: 1 10 100)
#include "engine/calculator.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include <malloc.h>

namespace {

std::size_t liveBytes = 0;
std::size_t peakBytes = 0;

void* countedAllocation(std::size_t size)
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block)
        throw std::bad_alloc();
    liveBytes += malloc_usable_size(block);
    peakBytes = std::max(peakBytes, liveBytes);
    return block;
}

void countedRelease(void* block) noexcept
{
    if (!block)
        return;
    liveBytes -= malloc_usable_size(block);
    std::free(block);
}

struct Shape {
    const char* name;
    std::function<std::string(std::size_t)> build;
};

std::string repeated(const std::string& head, const std::string& unit, const std::string& tail, std::size_t bytes)
{
    std::string text = head;
    text.reserve(bytes + unit.size() + tail.size());
    while (text.size() + unit.size() + tail.size() <= bytes)
        text += unit;
    return text + tail;
}

std::string nested(const std::string& open, const std::string& close, std::size_t bytes)
{
    const std::size_t depth = (bytes - 1) / (open.size() + close.size());
    std::string text;
    text.reserve(bytes);
    for (std::size_t i = 0; i < depth; ++i)
        text += open;
    text += '1';
    for (std::size_t i = 0; i < depth; ++i)
        text += close;
    return text;
}

const Shape shapes[] = {
    {"1+1+...+1", [](std::size_t n) { return repeated("1", "+1", "", n); }},
    {"one literal 111...1", [](std::size_t n) { return std::string(n, '1'); }},
    {"((...(1)...))", [](std::size_t n) { return nested("(", ")", n); }},
    {"(-(-...(-1)...))", [](std::size_t n) { return nested("(-", ")", n); }},
    {"(AAA=1)+(AAB=1)+...",
     [](std::size_t n) {
         // Three upper-case letters, so never a function: 17,576 variables.
         std::string text;
         text.reserve(n + 16);
         for (std::size_t i = 0; text.size() + 9 <= n; ++i) {
             const char name[] = {char('A' + i / 676 % 26), char('A' + i / 26 % 26), char('A' + i % 26), '\0'};
             text += text.empty() ? "(" : "+(";
             text += name;
             text += "=1)";
         }
         return text;
     }},
    {"....... (one operand per byte)", [](std::size_t n) { return std::string(n, '.'); }},
};

}  // namespace

void* operator new(std::size_t size)
{
    return countedAllocation(size);
}
void* operator new[](std::size_t size)
{
    return countedAllocation(size);
}
void operator delete(void* block) noexcept
{
    countedRelease(block);
}
void operator delete[](void* block) noexcept
{
    countedRelease(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    countedRelease(block);
}
void operator delete[](void* block, std::size_t) noexcept
{
    countedRelease(block);
}

int main(int argc, char** argv)
{
    std::vector<std::size_t> megabytes;
    for (int i = 1; i < argc; ++i)
        megabytes.push_back(std::strtoul(argv[i], nullptr, 10));
    if (megabytes.empty())
        megabytes = {1, 10, 100};

    std::printf("%-32s %8s %14s %12s %10s  %s\n", "shape", "MB", "peak bytes", "bytes/byte", "CPU ms", "result");
    for (const std::size_t mb : megabytes) {
        for (const Shape& shape : shapes) {
            const std::string text = shape.build(mb * 1'000'000);
            std::string result;
            Calculator<double> calculator;
            const std::size_t before = liveBytes;
            peakBytes = liveBytes;
            // Processor time: the machine may be shared while this runs.
            const std::clock_t start = std::clock();
            try {
                result = calculator.calculate(text, 0);
            } catch (const myexception& error) {
                result = error.what();
            }
            const double milliseconds = 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
            const std::size_t peak = peakBytes - before;
            std::printf("%-32s %8zu %14zu %12.2f %10.1f  %s\n", shape.name, mb, peak,
                        static_cast<double>(peak) / static_cast<double>(text.size()), milliseconds, result.c_str());
        }
    }
}
