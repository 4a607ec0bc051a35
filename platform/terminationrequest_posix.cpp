#include "platform/terminationrequest.h"

#include "platform/descriptor_posix.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array endingSignals{SIGTERM, SIGHUP, SIGINT};

// The pipe's write end, for the handler; only a byte written there is safe
// inside a signal handler.
int writeEnd = -1;

extern "C" void noteSignal(int /*signal*/)
{
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds a request that is still to be read.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = savedErrno;
}

class PosixTerminationRequest : public TerminationRequest {
public:
    explicit PosixTerminationRequest(QObject* parent) : TerminationRequest(parent)
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
            return;  // the signals keep their default: the program ends, unsaved
        m_readEnd = ends[0];
        writeEnd = ends[1];
        auto* notifier = new QSocketNotifier(m_readEnd, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &PosixTerminationRequest::onSignalled);
        struct sigaction action = {};
        action.sa_handler = noteSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int signal : endingSignals)
            ::sigaction(signal, &action, nullptr);
    }

    ~PosixTerminationRequest() override
    {
        if (m_readEnd < 0)
            return;
        struct sigaction action = {};
        action.sa_handler = SIG_DFL;
        sigemptyset(&action.sa_mask);
        for (int signal : endingSignals)
            ::sigaction(signal, &action, nullptr);
        ::close(writeEnd);
        writeEnd = -1;
        ::close(m_readEnd);
    }

private:
    void onSignalled()
    {
        drain(m_readEnd);
        emit requested();
    }

    int m_readEnd = -1;
};

}  // namespace

std::unique_ptr<TerminationRequest> TerminationRequest::create(QObject* parent)
{
    return std::make_unique<PosixTerminationRequest>(parent);
}

TerminationRequest::TerminationRequest(QObject* parent) : QObject(parent)
{}

TerminationRequest::~TerminationRequest() = default;
