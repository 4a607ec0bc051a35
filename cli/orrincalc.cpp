#include "cli/orrincalc.h"

#include "platform/availablememory.h"
#include "engine/calculator.h"
#include "platform/codepage.h"
#include "platform/readsome.h"
#include "datafile/documentfile.h"
#include "datafile/variablesarchive.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* usage =
    "usage: orrin-calc [--hex] [--data FILE] [EXPRESSION...]\n"
    "Evaluates each EXPRESSION, or each line of standard input when none is given.\n"
    "--data FILE loads the variables and constants of a data file first.\n";

struct Options {
    int mode = 0;
    std::vector<std::string> expressions;
    std::optional<std::string> dataFile;
    bool usageError = false;
    bool helpWanted = false;
};

Options parseOptions(int argc, const char* const* argv)
{
    Options options;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (optionsEnded || arg.size() < 3 || arg.substr(0, 2) != "--") {
            options.expressions.emplace_back(arg);
        } else if (arg == "--hex") {
            options.mode = 1;
        } else if (arg == "--data") {
            // One data file at most, and it needs its name.
            if (options.dataFile || i + 1 >= argc)
                options.usageError = true;
            else
                options.dataFile = argv[++i];
        } else if (arg == "--help") {
            options.helpWanted = true;
        } else {
            options.usageError = true;
        }
    }
    return options;
}

// Collects output and writes it in large blocks: a flush per line would cost
// more than the evaluation.
class OutputBuffer {
public:
    explicit OutputBuffer(std::FILE* out) : m_out(out) { m_buffer.reserve(capacity); }
    ~OutputBuffer() { flush(); }
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    void writeLine(std::string_view text)
    {
        m_buffer.append(text);
        m_buffer.push_back('\n');
        if (m_buffer.size() >= capacity)
            flush();
    }

    void flush()
    {
        if (!m_buffer.empty())
            std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_out);
        m_buffer.clear();
    }

    // Hands everything written so far to the reader, past the stream's buffer.
    void deliver()
    {
        flush();
        std::fflush(m_out);
    }

private:
    static constexpr std::size_t capacity = 1 << 16;
    std::FILE* m_out;
    std::string m_buffer;
};

class Session {
public:
    Session(int mode, std::FILE* out) : m_mode(mode), m_output(out) { m_calculator.setMemoryBudget(availableMemory); }

    void evaluate(std::string_view expression)
    {
        try {
            m_output.writeLine(m_calculator.calculate(expression, m_mode));
        } catch (const myexception& error) {
            reportFailure(error.what());
        }
    }

    // The answer to a line that did not fit in memory.
    void lineTooLong() { reportFailure(memoryErrorMessage); }

    bool anyFailed() const { return m_anyFailed; }

    void deliver() { m_output.deliver(); }

    DocumentStatus loadData(const std::string& path)
    {
        return openDocument(path, [this](Archive& archive) { serializeVariables(archive, m_calculator); });
    }

private:
    // Messages are code page 932 text; the terminal reads UTF-8.
    void reportFailure(std::string_view message)
    {
        const bool ascii = std::all_of(message.begin(), message.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        m_output.writeLine(ascii ? std::string(message) : cp932ToUtf8(message));
        m_anyFailed = true;
    }

    int m_mode;
    Calculator<double> m_calculator;
    OutputBuffer m_output;
    bool m_anyFailed = false;
};

// Lines end at "\n"; a "\r" before it is dropped. A last line without "\n" counts.
// read(2) returns what has arrived, where fread would wait for a full block:
// someone typing at a terminal, or a program feeding lines through a pipe,
// gets the answers to the lines sent so far before the next ones are read.
// Returns false when reading failed, so that a cut-off input is not taken for
// its end.
constexpr std::size_t longLineBytes = 1 << 16;

bool evaluateLines(std::FILE* in, Session& session)
{
    const int fd = fileno(in);
    std::string pending;
    std::vector<char> chunk(1 << 16);
    // The rest of a line too long to hold is read past, up to its end.
    bool skippingLine = false;
    for (;;) {
        const std::optional<std::size_t> got = readSome(fd, chunk.data(), chunk.size());
        if (!got)
            return false;
        if (*got == 0)
            break;
        std::string_view fresh(chunk.data(), *got);
        if (skippingLine) {
            const std::size_t newline = fresh.find('\n');
            if (newline == std::string_view::npos)
                continue;
            fresh.remove_prefix(newline + 1);
            skippingLine = false;
        }
        // Only the new bytes can hold a line end: a long line costs no rescans.
        std::size_t searchFrom = pending.size();
        bool longLine = false;
        try {
            pending.append(fresh);
        } catch (const std::bad_alloc&) {
            std::string().swap(pending);
            session.lineTooLong();
            longLine = true;
            const std::size_t newline = fresh.find('\n');
            skippingLine = newline == std::string_view::npos;
            if (!skippingLine)
                pending.append(fresh.substr(newline + 1));
            searchFrom = 0;
        }
        std::size_t start = 0;
        for (std::size_t newline; (newline = pending.find('\n', searchFrom)) != std::string::npos;
             start = searchFrom = newline + 1) {
            std::size_t end = newline;
            if (end > start && pending[end - 1] == '\r')
                --end;
            longLine = longLine || end - start >= longLineBytes;
            session.evaluate(std::string_view(pending).substr(start, end - start));
        }
        pending.erase(0, start);
        // What a long line took, here and in the engine, is not kept while
        // further lines are awaited.
        if (longLine) {
            pending.shrink_to_fit();
            returnFreedMemory();
        }
        session.deliver();
    }
    if (!pending.empty()) {
        if (pending.back() == '\r')
            pending.pop_back();
        session.evaluate(pending);
    }
    return true;
}

void reportDataError(const std::string& path, DocumentStatus status, std::FILE* err)
{
    const char* problem = status == DocumentStatus::BadFormat ? "not a valid data file (it ends inside a record)"
                                                              : "cannot read the data file";
    std::fprintf(err, "orrin-calc: %s: %s\n", path.c_str(), problem);
}

}  // namespace

int runOrrinCalc(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err)
{
    const Options options = parseOptions(argc, argv);
    if (options.helpWanted) {
        std::fputs(usage, out);
        return 0;
    }
    if (options.usageError) {
        std::fputs(usage, err);
        return 2;
    }
    bool anyFailed = false;
    bool inputRead = true;
    {
        Session session(options.mode, out);
        if (options.dataFile) {
            const DocumentStatus status = session.loadData(*options.dataFile);
            if (status != DocumentStatus::Ok) {
                reportDataError(*options.dataFile, status, err);
                return 2;
            }
        }
        if (options.expressions.empty())
            inputRead = evaluateLines(in, session);
        for (const std::string& expression : options.expressions)
            session.evaluate(expression);
        anyFailed = session.anyFailed();
    }
    // Results that never reached their destination are no success.
    const bool outputWritten = std::fflush(out) == 0 && !std::ferror(out);
    if (!inputRead)
        std::fputs("orrin-calc: cannot read standard input\n", err);
    if (!outputWritten)
        std::fputs("orrin-calc: cannot write the results\n", err);
    if (!inputRead || !outputWritten)
        return 2;
    return anyFailed ? 1 : 0;
}
