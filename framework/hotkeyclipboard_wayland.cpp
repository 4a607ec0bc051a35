#include "framework/hotkeyclipboard.h"

#include "framework/messagebox.h"

#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSocketNotifier>
#include <QStringList>
#include <wayland-client.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <unistd.h>

namespace {

// Text types in the order of preference; the first ones say their encoding.
const char* const textTypes[] = {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING", "TEXT", "STRING"};
constexpr int readTimeoutMs = 2000;
constexpr qsizetype maxTextBytes = 1 << 20;

const QString unavailableMessage = QStringLiteral("このデスクトップではクリップボードの計算を使用できません。");

// Writes all of data to fd, whose reader may have gone: the broken pipe must
// fail the write, not end the program.
void writeAll(int fd, const QByteArray& data)
{
    sigset_t pipeSignal;
    sigset_t previous;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    qsizetype done = 0;
    bool broken = false;
    while (done < data.size()) {
        const ssize_t written = ::write(fd, data.constData() + done, static_cast<size_t>(data.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            broken = errno == EPIPE;
            break;
        }
        done += written;
    }
    if (broken && !sigismember(&previous, SIGPIPE)) {
        const timespec now{};
        sigtimedwait(&pipeSignal, nullptr, &now);  // take the signal that our write raised
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

// Reads fd to its end; false when the writer takes longer than the timeout
// or sends more than any expression.
bool readAll(int fd, QByteArray& data)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(readTimeoutMs);
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd readable{fd, POLLIN, 0};
        const int ready = ::poll(&readable, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        data.append(buffer, got);
        if (data.size() > maxTextBytes)
            return false;
    }
}

class DataControlClipboard : public HotKeyClipboard {
public:
    DataControlClipboard() = default;
    ~DataControlClipboard() override { disconnect(); }
    DataControlClipboard(const DataControlClipboard&) = delete;
    DataControlClipboard& operator=(const DataControlClipboard&) = delete;

    bool fetch() override;
    const QMimeData* mimeData() const override { return &m_data; }
    void write(std::unique_ptr<QMimeData> data) override;

private:
    enum class Link { NotTried, Up, Refused };

    bool connectOnce();
    void disconnect();
    void dispatch();
    bool receive(zwlr_data_control_offer_v1* offer, const QString& type, QByteArray& bytes);
    void dropSource();
    void handOverToQt();

    static void onGlobal(void* self, wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
    static void onGlobalRemove(void*, wl_registry*, uint32_t) {}
    static void onDataOffer(void* self, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer);
    static void onSelection(void* self, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer);
    static void onFinished(void* self, zwlr_data_control_device_v1*);
    static void onPrimarySelection(void* self, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer);
    static void onOffer(void* self, zwlr_data_control_offer_v1* offer, const char* type);
    static void onSend(void* self, zwlr_data_control_source_v1*, const char* type, int32_t fd);
    static void onCancelled(void* self, zwlr_data_control_source_v1* source);

    static const wl_registry_listener registryListener;
    static const zwlr_data_control_device_v1_listener deviceListener;
    static const zwlr_data_control_offer_v1_listener offerListener;
    static const zwlr_data_control_source_v1_listener sourceListener;

    Link m_link = Link::NotTried;
    bool m_told = false;
    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_seat* m_seat = nullptr;
    zwlr_data_control_manager_v1* m_manager = nullptr;
    zwlr_data_control_device_v1* m_device = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::map<zwlr_data_control_offer_v1*, QStringList> m_offers;  // announced, with their types
    zwlr_data_control_offer_v1* m_selection = nullptr;
    zwlr_data_control_source_v1* m_source = nullptr;  // ours while it holds the selection
    QByteArray m_sourceText;
    QMimeData m_data;
};

const wl_registry_listener DataControlClipboard::registryListener = {&onGlobal, &onGlobalRemove};
const zwlr_data_control_device_v1_listener DataControlClipboard::deviceListener = {
    &onDataOffer, &onSelection, &onFinished, &onPrimarySelection};
const zwlr_data_control_offer_v1_listener DataControlClipboard::offerListener = {&onOffer};
const zwlr_data_control_source_v1_listener DataControlClipboard::sourceListener = {&onSend, &onCancelled};

void DataControlClipboard::onGlobal(void* self, wl_registry* registry, uint32_t name, const char* interface,
                                    uint32_t /*version*/)
{
    auto* clipboard = static_cast<DataControlClipboard*>(self);
    const QByteArray which(interface);
    if (which == wl_seat_interface.name && !clipboard->m_seat) {
        clipboard->m_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (which == zwlr_data_control_manager_v1_interface.name) {
        clipboard->m_manager = static_cast<zwlr_data_control_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_data_control_manager_v1_interface, 1));
    }
}

void DataControlClipboard::onDataOffer(void* self, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer)
{
    auto* clipboard = static_cast<DataControlClipboard*>(self);
    clipboard->m_offers[offer];
    zwlr_data_control_offer_v1_add_listener(offer, &offerListener, self);
}

void DataControlClipboard::onOffer(void* self, zwlr_data_control_offer_v1* offer, const char* type)
{
    auto* clipboard = static_cast<DataControlClipboard*>(self);
    clipboard->m_offers[offer].append(QString::fromUtf8(type));
}

void DataControlClipboard::onSelection(void* self, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer)
{
    auto* clipboard = static_cast<DataControlClipboard*>(self);
    if (clipboard->m_selection && clipboard->m_selection != offer) {
        clipboard->m_offers.erase(clipboard->m_selection);
        zwlr_data_control_offer_v1_destroy(clipboard->m_selection);
    }
    clipboard->m_selection = offer;
}

void DataControlClipboard::onPrimarySelection(void* self, zwlr_data_control_device_v1*,
                                              zwlr_data_control_offer_v1* offer)
{
    if (!offer)
        return;
    auto* clipboard = static_cast<DataControlClipboard*>(self);
    clipboard->m_offers.erase(offer);
    zwlr_data_control_offer_v1_destroy(offer);
}

void DataControlClipboard::onFinished(void* self, zwlr_data_control_device_v1*)
{
    // The seat went away; the next fetch() starts over.
    static_cast<DataControlClipboard*>(self)->m_link = Link::NotTried;
}

void DataControlClipboard::onSend(void* self, zwlr_data_control_source_v1*, const char* type, int32_t fd)
{
    auto* clipboard = static_cast<DataControlClipboard*>(self);
    const bool latin1 = QByteArray(type) == "STRING";
    writeAll(fd, latin1 ? QString::fromUtf8(clipboard->m_sourceText).toLatin1() : clipboard->m_sourceText);
    ::close(fd);
}

void DataControlClipboard::onCancelled(void* self, zwlr_data_control_source_v1* source)
{
    auto* clipboard = static_cast<DataControlClipboard*>(self);
    if (source == clipboard->m_source)
        clipboard->m_source = nullptr;
    zwlr_data_control_source_v1_destroy(source);
}

bool DataControlClipboard::connectOnce()
{
    if (m_link == Link::Up)
        return true;
    if (m_link == Link::NotTried) {
        disconnect();
        m_link = Link::Refused;
        m_display = wl_display_connect(nullptr);
        if (m_display) {
            m_registry = wl_display_get_registry(m_display);
            wl_registry_add_listener(m_registry, &registryListener, this);
            wl_display_roundtrip(m_display);
        }
        if (m_manager && m_seat) {
            m_device = zwlr_data_control_manager_v1_get_data_device(m_manager, m_seat);
            zwlr_data_control_device_v1_add_listener(m_device, &deviceListener, this);
            // The device's first event is the current selection.
            if (wl_display_roundtrip(m_display) >= 0) {
                m_link = Link::Up;
                // Serving our own selection to others needs the connection
                // watched; nothing else wakes the program.
                m_notifier = std::make_unique<QSocketNotifier>(wl_display_get_fd(m_display), QSocketNotifier::Read);
                QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                                 [this] { dispatch(); });
                QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, m_notifier.get(),
                                 [this](Qt::ApplicationState state) {
                                     if (state == Qt::ApplicationActive)
                                         handOverToQt();
                                 });
                return true;
            }
        }
        disconnect();
    }
    if (!m_told) {
        m_told = true;
        showMessageBox(nullptr, unavailableMessage);
    }
    return false;
}

void DataControlClipboard::disconnect()
{
    m_notifier.reset();
    if (!m_display)
        return;
    for (const auto& offer : m_offers)
        zwlr_data_control_offer_v1_destroy(offer.first);
    m_offers.clear();
    m_selection = nullptr;
    dropSource();
    if (m_device)
        zwlr_data_control_device_v1_destroy(m_device);
    if (m_manager)
        zwlr_data_control_manager_v1_destroy(m_manager);
    if (m_seat)
        wl_seat_destroy(m_seat);
    if (m_registry)
        wl_registry_destroy(m_registry);
    wl_display_disconnect(m_display);
    m_device = nullptr;
    m_manager = nullptr;
    m_seat = nullptr;
    m_registry = nullptr;
    m_display = nullptr;
}

void DataControlClipboard::dispatch()
{
    if (wl_display_dispatch(m_display) < 0) {
        // The compositor is gone; a later fetch() tries a new connection.
        m_notifier->setEnabled(false);
        m_link = Link::NotTried;
        return;
    }
    wl_display_flush(m_display);
}

void DataControlClipboard::dropSource()
{
    if (m_source)
        zwlr_data_control_source_v1_destroy(m_source);
    m_source = nullptr;
}

bool DataControlClipboard::receive(zwlr_data_control_offer_v1* offer, const QString& type, QByteArray& bytes)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return false;
    zwlr_data_control_offer_v1_receive(offer, type.toUtf8().constData(), ends[1]);
    wl_display_flush(m_display);
    ::close(ends[1]);
    const bool complete = readAll(ends[0], bytes);
    ::close(ends[0]);
    return complete;
}

bool DataControlClipboard::fetch()
{
    m_data.clear();
    if (!connectOnce())
        return false;
    // Whatever the compositor has announced up to now, so that the text read
    // is the one on the clipboard at this press, never an older one.
    if (wl_display_roundtrip(m_display) < 0) {
        m_link = Link::NotTried;
        return false;
    }
    if (m_source) {
        // Our own result: reading it through the compositor would wait on ourselves.
        m_data.setText(QString::fromUtf8(m_sourceText));
        return true;
    }
    if (QGuiApplication::clipboard()->ownsClipboard()) {
        // Copied from our own window: Qt serves it, and is not listening now.
        m_data.setText(QGuiApplication::clipboard()->text());
        return true;
    }
    if (!m_selection)
        return true;
    const QStringList offered = m_offers[m_selection];
    for (const char* type : textTypes) {
        if (!offered.contains(QLatin1String(type)))
            continue;
        QByteArray bytes;
        zwlr_data_control_offer_v1* const asked = m_selection;
        if (!receive(asked, QLatin1String(type), bytes))
            return false;
        // An owner that quit meanwhile also gives no bytes: that is no empty text.
        if (bytes.isEmpty() && (wl_display_roundtrip(m_display) < 0 || m_selection != asked))
            return false;
        m_data.setText(QByteArray(type) == "STRING" ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes));
        return true;
    }
    return true;  // a picture or other data without text
}

void DataControlClipboard::write(std::unique_ptr<QMimeData> data)
{
    if (m_link != Link::Up)
        return;
    if (QGuiApplication::applicationState() == Qt::ApplicationActive) {
        // With focus Qt may own the clipboard, and a paste into our own window
        // then reads it without asking anyone.
        dropSource();
        QGuiApplication::clipboard()->setMimeData(data.release());
        return;
    }
    // The source before is cancelled by this one and goes then.
    m_sourceText = data->text().toUtf8();
    m_source = zwlr_data_control_manager_v1_create_data_source(m_manager);
    zwlr_data_control_source_v1_add_listener(m_source, &sourceListener, this);
    for (const char* type : textTypes)
        zwlr_data_control_source_v1_offer(m_source, type);
    zwlr_data_control_device_v1_set_selection(m_device, m_source);
    wl_display_flush(m_display);
}

void DataControlClipboard::handOverToQt()
{
    // A paste into our own window reads through Qt, which would ask the
    // compositor, which would ask our source above, which cannot answer while
    // Qt waits: once we have focus, Qt owns the same text. The source stays
    // until the compositor takes Qt's over.
    if (m_source)
        QGuiApplication::clipboard()->setText(QString::fromUtf8(m_sourceText));
}

} // namespace

std::unique_ptr<HotKeyClipboard> createDataControlClipboard()
{
    return std::make_unique<DataControlClipboard>();
}
