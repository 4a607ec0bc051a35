#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwlr_data_control_manager_v1;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_offer_v1;
struct zwlr_data_control_source_v1;
struct wl_registry_listener;
struct zwlr_data_control_device_v1_listener;
struct zwlr_data_control_offer_v1_listener;
struct zwlr_data_control_source_v1_listener;

// The clipboard of a Wayland session through the compositor's wlr
// data-control protocol, on a connection of the program's own: it is read and
// set without focus. Not thread-safe: every call comes from one thread, which
// must also dispatch() whenever fd() is readable, as the compositor asks this
// connection for the text it has set.
class DataControlSelection {
public:
    DataControlSelection() = default;
    ~DataControlSelection();
    DataControlSelection(const DataControlSelection&) = delete;
    DataControlSelection& operator=(const DataControlSelection&) = delete;

    // False when no compositor answers or it offers no data-control.
    bool connect();
    // False once the compositor or the seat has gone.
    bool isUp() const { return m_up; }
    int fd() const;
    // Handles what has been queued and sends what waits to be sent; call it
    // before waiting on fd().
    void flush();
    // Reads from the connection and handles what came.
    void dispatch();

    // The clipboard's text at this moment, never an older one; no text for a
    // clipboard holding something else. False when it cannot be read: the
    // owner did not answer in time, sent too much or quit meanwhile.
    bool read(std::optional<QString>& text);
    // Makes utf8 the clipboard's only contents, served from here until
    // another client sets the clipboard.
    void write(const QByteArray& utf8);

private:
    void disconnect();
    bool receive(zwlr_data_control_offer_v1* offer, const char* type, QByteArray& bytes);
    void dropSource();

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

    bool m_up = false;
    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_seat* m_seat = nullptr;
    zwlr_data_control_manager_v1* m_manager = nullptr;
    zwlr_data_control_device_v1* m_device = nullptr;
    std::map<zwlr_data_control_offer_v1*, QStringList> m_offers;  // announced, with their types
    zwlr_data_control_offer_v1* m_selection = nullptr;
    zwlr_data_control_source_v1* m_source = nullptr;  // ours while it holds the selection
    QByteArray m_sourceText;
};
