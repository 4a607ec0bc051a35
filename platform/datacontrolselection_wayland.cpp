#include "platform/datacontrolselection_wayland.h"

#include "platform/descriptor_posix.h"

#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// Text types in the order of preference; the first ones say their encoding.
const char* const textTypes[] = {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING", "TEXT", "STRING"};
constexpr int readTimeoutMs = 2000;
constexpr qsizetype maxTextBytes = 1 << 20;

// Writes all of data to fd, whose reader may have gone: the broken pipe must
// fail the write, not end the program.
void writeAll(int fd, const QByteArray& data)
{
    sigset_t pipeSignal;
    sigset_t previous;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    const bool broken = !::writeAll(fd, std::string_view(data.constData(), static_cast<std::size_t>(data.size())))
        && errno == EPIPE;
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
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(readTimeoutMs);
    std::string bytes;
    if (::readAll(fd, bytes, maxTextBytes, deadline) != ReadEnd::Complete)
        return false;
    data.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return true;
}

}  // namespace

const wl_registry_listener DataControlSelection::registryListener = {&onGlobal, &onGlobalRemove};
const zwlr_data_control_device_v1_listener DataControlSelection::deviceListener = {&onDataOffer, &onSelection,
                                                                                   &onFinished, &onPrimarySelection};
const zwlr_data_control_offer_v1_listener DataControlSelection::offerListener = {&onOffer};
const zwlr_data_control_source_v1_listener DataControlSelection::sourceListener = {&onSend, &onCancelled};

DataControlSelection::~DataControlSelection()
{
    disconnect();
}

void DataControlSelection::onGlobal(void* self, wl_registry* registry, uint32_t name, const char* interface,
                                    uint32_t /*version*/)
{
    auto* selection = static_cast<DataControlSelection*>(self);
    const QByteArray which(interface);
    if (which == wl_seat_interface.name && !selection->m_seat) {
        selection->m_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (which == zwlr_data_control_manager_v1_interface.name) {
        selection->m_manager = static_cast<zwlr_data_control_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_data_control_manager_v1_interface, 1));
    }
}

void DataControlSelection::onDataOffer(void* self, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer)
{
    static_cast<DataControlSelection*>(self)->m_offers[offer];
    zwlr_data_control_offer_v1_add_listener(offer, &offerListener, self);
}

void DataControlSelection::onOffer(void* self, zwlr_data_control_offer_v1* offer, const char* type)
{
    static_cast<DataControlSelection*>(self)->m_offers[offer].append(QString::fromUtf8(type));
}

void DataControlSelection::onSelection(void* self, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer)
{
    auto* selection = static_cast<DataControlSelection*>(self);
    if (selection->m_selection && selection->m_selection != offer) {
        selection->m_offers.erase(selection->m_selection);
        zwlr_data_control_offer_v1_destroy(selection->m_selection);
    }
    selection->m_selection = offer;
}

void DataControlSelection::onPrimarySelection(void* self, zwlr_data_control_device_v1*,
                                              zwlr_data_control_offer_v1* offer)
{
    if (!offer)
        return;
    static_cast<DataControlSelection*>(self)->m_offers.erase(offer);
    zwlr_data_control_offer_v1_destroy(offer);
}

void DataControlSelection::onFinished(void* self, zwlr_data_control_device_v1*)
{
    static_cast<DataControlSelection*>(self)->m_up = false;
}

void DataControlSelection::onSend(void* self, zwlr_data_control_source_v1*, const char* type, int32_t fd)
{
    const QByteArray& text = static_cast<DataControlSelection*>(self)->m_sourceText;
    writeAll(fd, QByteArray(type) == "STRING" ? QString::fromUtf8(text).toLatin1() : text);
    ::close(fd);
}

void DataControlSelection::onCancelled(void* self, zwlr_data_control_source_v1* source)
{
    auto* selection = static_cast<DataControlSelection*>(self);
    if (source == selection->m_source)
        selection->m_source = nullptr;
    zwlr_data_control_source_v1_destroy(source);
}

bool DataControlSelection::connect()
{
    disconnect();
    m_display = wl_display_connect(nullptr);
    if (!m_display)
        return false;
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &registryListener, this);
    wl_display_roundtrip(m_display);
    if (!m_manager || !m_seat)
        return false;
    m_device = zwlr_data_control_manager_v1_get_data_device(m_manager, m_seat);
    zwlr_data_control_device_v1_add_listener(m_device, &deviceListener, this);
    // The device's first event is the current selection.
    m_up = wl_display_roundtrip(m_display) >= 0;
    return m_up;
}

void DataControlSelection::disconnect()
{
    m_up = false;
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

int DataControlSelection::fd() const
{
    return m_display ? wl_display_get_fd(m_display) : -1;
}

void DataControlSelection::flush()
{
    if (!m_up)
        return;
    if (wl_display_dispatch_pending(m_display) < 0 || (wl_display_flush(m_display) < 0 && errno != EAGAIN))
        m_up = false;
}

void DataControlSelection::dispatch()
{
    if (m_up && wl_display_dispatch(m_display) < 0)
        m_up = false;
}

void DataControlSelection::dropSource()
{
    if (m_source)
        zwlr_data_control_source_v1_destroy(m_source);
    m_source = nullptr;
}

bool DataControlSelection::receive(zwlr_data_control_offer_v1* offer, const char* type, QByteArray& bytes)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return false;
    zwlr_data_control_offer_v1_receive(offer, type, ends[1]);
    wl_display_flush(m_display);
    ::close(ends[1]);
    const bool complete = readAll(ends[0], bytes);
    ::close(ends[0]);
    return complete;
}

bool DataControlSelection::read(std::optional<QString>& text)
{
    text.reset();
    // Whatever the compositor has announced up to now, so that the text read
    // is the one on the clipboard at this moment, never an older one.
    if (!m_up || wl_display_roundtrip(m_display) < 0) {
        m_up = false;
        return false;
    }
    if (m_source) {
        // Our own text: asking the compositor for it would wait on ourselves.
        text = QString::fromUtf8(m_sourceText);
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
        if (!receive(asked, type, bytes))
            return false;
        // An owner that quit meanwhile also gives no bytes: that is no empty text.
        if (bytes.isEmpty() && (wl_display_roundtrip(m_display) < 0 || m_selection != asked))
            return false;
        text = QByteArray(type) == "STRING" ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);
        return true;
    }
    return true;  // a picture or other data without text
}

void DataControlSelection::write(const QByteArray& utf8)
{
    if (!m_up)
        return;
    // The source before is cancelled by this one and goes then.
    m_sourceText = utf8;
    m_source = zwlr_data_control_manager_v1_create_data_source(m_manager);
    zwlr_data_control_source_v1_add_listener(m_source, &sourceListener, this);
    for (const char* type : textTypes)
        zwlr_data_control_source_v1_offer(m_source, type);
    zwlr_data_control_device_v1_set_selection(m_device, m_source);
    wl_display_flush(m_display);
}
