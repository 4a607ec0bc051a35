#include "platform/hotkeyclipboard.h"

#include "platform/datacontrolselection_wayland.h"
#include "platform/descriptor_posix.h"
#include "platform/globalhotkey.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <atomic>
#include <deque>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <future>
#include <mutex>
#include <optional>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

// Owns the data-control connection on a thread of its own. The text the hot
// key sets must be served while Qt's thread waits: a paste into our own
// window goes through XWayland to the compositor, which asks this connection.
class SelectionThread {
public:
    SelectionThread() = default;
    ~SelectionThread();
    SelectionThread(const SelectionThread&) = delete;
    SelectionThread& operator=(const SelectionThread&) = delete;

    // Connects from the new thread; false when there is no data-control route.
    bool start();
    bool isUp() const { return m_up; }
    // Blocks until the thread has read the clipboard.
    bool read(std::optional<QString>& text);
    void write(QByteArray utf8);

private:
    template <typename Result>
    Result call(std::function<Result()> job);
    void post(std::function<void()> job);
    void run();
    void waitForWork();

    DataControlSelection m_selection;  // the thread's alone
    std::atomic<bool> m_up{false};
    int m_wake[2] = {-1, -1};
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_jobs;
    bool m_stopping = false;
    std::thread m_thread;
};

SelectionThread::~SelectionThread()
{
    if (m_thread.joinable()) {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
        }
        post({});
        m_thread.join();
    }
    for (const int end : m_wake) {
        if (end >= 0)
            ::close(end);
    }
}

bool SelectionThread::start()
{
    if (::pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    m_thread = std::thread([this] { run(); });
    return call<bool>([this] {
        m_up = m_selection.connect();
        return m_up.load();
    });
}

bool SelectionThread::read(std::optional<QString>& text)
{
    return call<bool>([this, &text] {
        const bool complete = m_selection.read(text);
        m_up = m_selection.isUp();
        return complete;
    });
}

void SelectionThread::write(QByteArray utf8)
{
    post([this, utf8 = std::move(utf8)] { m_selection.write(utf8); });
}

template <typename Result>
Result SelectionThread::call(std::function<Result()> job)
{
    // Shared: the thread may still be leaving the task when the result wakes us.
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(job));
    std::future<Result> result = task->get_future();
    post([task] { (*task)(); });
    return result.get();
}

void SelectionThread::post(std::function<void()> job)
{
    if (job) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(m_wake[1], &byte, 1);  // a full pipe wakes it as well
}

void SelectionThread::run()
{
    for (;;) {
        std::deque<std::function<void()>> jobs;
        bool stopping = false;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            jobs.swap(m_jobs);
            stopping = m_stopping;
        }
        for (const auto& job : jobs)
            job();
        if (stopping)
            return;
        waitForWork();
        m_up = m_selection.isUp();  // the compositor may have gone meanwhile
    }
}

void SelectionThread::waitForWork()
{
    m_selection.flush();
    pollfd ready[2] = {{m_wake[0], POLLIN, 0}, {m_selection.isUp() ? m_selection.fd() : -1, POLLIN, 0}};
    if (::poll(ready, 2, -1) <= 0)
        return;
    if (ready[1].revents != 0)
        m_selection.dispatch();
    drain(m_wake[0]);
}

class DataControlClipboard : public HotKeyClipboard {
public:
    DataControlClipboard(const GlobalHotKey* key, NoRouteReport noRoute) : m_key(key), m_noRoute(std::move(noRoute)) {}

    bool fetch() override;
    const QMimeData* mimeData() const override { return m_throughX11 ? m_x11->mimeData() : &m_data; }
    void write(std::unique_ptr<QMimeData> data) override;

private:
    bool reachable();
    bool pressedInX11Window() const { return m_key && !m_key->worksEverywhere(); }

    const GlobalHotKey* m_key;
    NoRouteReport m_noRoute;
    std::unique_ptr<SelectionThread> m_thread;
    bool m_refused = false;
    bool m_told = false;
    QMimeData m_data;
    std::unique_ptr<HotKeyClipboard> m_x11;
    bool m_throughX11 = false;  // for the press being handled
};

bool DataControlClipboard::reachable()
{
    if (m_thread && m_thread->isUp())
        return true;
    // A compositor that has gone is tried once more; one without the route is not.
    m_thread.reset();
    if (m_refused)
        return false;
    m_thread = std::make_unique<SelectionThread>();
    if (m_thread->start())
        return true;
    m_thread.reset();
    m_refused = true;
    return false;
}

bool DataControlClipboard::fetch()
{
    m_data.clear();
    m_throughX11 = false;
    if (!reachable()) {
        if (pressedInX11Window()) {
            if (!m_x11)
                m_x11 = createQtClipboard();
            m_throughX11 = true;
            return m_x11->fetch();
        }
        if (!m_told) {
            m_told = true;
            if (m_noRoute)
                m_noRoute();
        }
        return false;
    }
    if (QGuiApplication::clipboard()->ownsClipboard()) {
        // Copied from our own window: only Qt's thread, waiting here, could answer the compositor.
        m_data.setText(QGuiApplication::clipboard()->text());
        return true;
    }
    std::optional<QString> text;
    if (!m_thread->read(text))
        return false;
    if (text)
        m_data.setText(*text);
    return true;
}

void DataControlClipboard::write(std::unique_ptr<QMimeData> data)
{
    if (m_throughX11)
        m_x11->write(std::move(data));
    else if (m_thread && m_thread->isUp())
        m_thread->write(data->text().toUtf8());
}

}  // namespace

std::unique_ptr<HotKeyClipboard> createDataControlClipboard(const GlobalHotKey* key,
                                                            HotKeyClipboard::NoRouteReport noRoute)
{
    return std::make_unique<DataControlClipboard>(key, std::move(noRoute));
}
