#pragma once
#include <QObject>

#include <chrono>
#include <memory>
#include <string>

// How a second start reaches the running program: the local socket
// "<name>.socket" in the user's private runtime directory, beside the
// single-instance lock of the same name. The running program listens
// (listen()); a later start calls requestShow() and ends. Only one request
// exists, "show"; a connection from another user, or one that carries
// anything else, is closed and ignored. Listening costs no timers: the
// socket wakes the program only when someone connects.
class InstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit InstanceChannel(std::string name, QObject* parent = nullptr);
    ~InstanceChannel() override;

    InstanceChannel(const InstanceChannel&) = delete;
    InstanceChannel& operator=(const InstanceChannel&) = delete;

    // Starts listening; call it only while holding the single-instance lock,
    // as a socket file left by a crashed run is replaced. False when no safe
    // directory or socket could be had: the program then runs without the
    // channel.
    bool listen();

    // Sends "show" to the program listening for this user. Waits at most
    // `timeout` for a program that does not accept, and never for an answer:
    // true when the request was handed over, false when nobody listens.
    static bool requestShow(const std::string& name,
                            std::chrono::milliseconds timeout = std::chrono::milliseconds(500));

    // In runtimeDirectory(name).
    static std::string socketPath(const std::string& name);

signals:
    void showRequested();

private:
    struct Listener;
    struct Connection;
    void acceptConnections();
    void readRequest(Connection* connection);

    std::string m_name;
    std::unique_ptr<Listener> m_listener;
};
