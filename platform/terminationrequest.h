#pragma once
#include <QObject>
#include <memory>

// The system's requests that the program end, such as a session's end
// (SIGTERM, SIGHUP, SIGINT on POSIX), delivered from the event loop, where
// the program can end in order rather than die where it stood. One object
// per process; the platform's default reaction returns when it goes.
class TerminationRequest : public QObject {
    Q_OBJECT
public:
    static std::unique_ptr<TerminationRequest> create(QObject* parent = nullptr);
    ~TerminationRequest() override;

signals:
    void requested();

protected:
    explicit TerminationRequest(QObject* parent);
};
