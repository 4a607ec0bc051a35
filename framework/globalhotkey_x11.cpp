#include "framework/globalhotkey.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QMetaObject>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr xcb_keysym_t keysymNumLock = 0xff7f;
constexpr uint16_t allModifierBits = 0xff;

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> owned(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

xcb_connection_t* x11Connection()
{
    auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return app ? app->connection() : nullptr;
}

// The keyboard's keycode-to-keysym table, read once per registration.
class KeyboardMap {
public:
    explicit KeyboardMap(xcb_connection_t* connection)
        : m_first(xcb_get_setup(connection)->min_keycode),
          m_reply(owned(xcb_get_keyboard_mapping_reply(
              connection,
              xcb_get_keyboard_mapping(connection, m_first,
                                       xcb_get_setup(connection)->max_keycode - m_first + 1),
              nullptr)))
    {
    }

    // Every keycode whose unshifted or shifted symbol is one of the two given.
    std::vector<xcb_keycode_t> keycodesFor(xcb_keysym_t lower, xcb_keysym_t upper) const
    {
        std::vector<xcb_keycode_t> found;
        if (!m_reply)
            return found;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(m_reply.get());
        const int perCode = m_reply->keysyms_per_keycode;
        const int count = xcb_get_keyboard_mapping_keysyms_length(m_reply.get());
        for (int index = 0; perCode > 0 && index + perCode <= count; index += perCode) {
            const int columns = perCode < 2 ? perCode : 2;
            for (int column = 0; column < columns; ++column) {
                if (syms[index + column] == lower || syms[index + column] == upper) {
                    found.push_back(static_cast<xcb_keycode_t>(m_first + index / perCode));
                    break;
                }
            }
        }
        return found;
    }

private:
    xcb_keycode_t m_first;
    ReplyPtr<xcb_get_keyboard_mapping_reply_t> m_reply;
};

// The modifier bit that NumLock sets in key events; 0 when no modifier carries it.
uint16_t numLockMask(xcb_connection_t* connection, const KeyboardMap& keyboard)
{
    const std::vector<xcb_keycode_t> numLockCodes = keyboard.keycodesFor(keysymNumLock, keysymNumLock);
    auto reply = owned(xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    if (!reply || numLockCodes.empty())
        return 0;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply.get());
    const int perModifier = reply->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int slot = 0; slot < perModifier; ++slot) {
            for (xcb_keycode_t code : numLockCodes) {
                if (codes[modifier * perModifier + slot] == code)
                    return static_cast<uint16_t>(1u << modifier);
            }
        }
    }
    return 0;
}

bool grabChecked(xcb_connection_t* connection, xcb_window_t root, uint16_t modifiers, xcb_keycode_t key)
{
    const xcb_void_cookie_t cookie = xcb_grab_key_checked(connection, 1, root, modifiers, key,
                                                          XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    // Grab errors arrive late; waiting for this request's own answer is what
    // tells us whether another client already holds the key.
    auto error = owned(xcb_request_check(connection, cookie));
    return !error;
}

// The keysyms (unshifted, shifted) of the keys Qt names alike; none for the rest.
std::optional<std::pair<xcb_keysym_t, xcb_keysym_t>> keysymsFor(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return std::pair<xcb_keysym_t, xcb_keysym_t>(key - Qt::Key_A + 'a', key - Qt::Key_A + 'A');
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return std::pair<xcb_keysym_t, xcb_keysym_t>(key, key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return std::pair<xcb_keysym_t, xcb_keysym_t>(0xffbe + key - Qt::Key_F1, 0xffbe + key - Qt::Key_F1);
    return std::nullopt;
}

uint16_t x11Modifiers(Qt::KeyboardModifiers modifiers)
{
    uint16_t mask = 0;
    if (modifiers & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & Qt::MetaModifier)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

struct Grab {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = XCB_NONE;
    xcb_keycode_t key = 0;
    uint16_t modifiers = 0;
    uint16_t ignoredLocks = 0;  // NumLock and CapsLock: held or not, the hot key fires
    std::vector<uint16_t> taken;  // modifier sets grabbed so far

    bool matches(const xcb_key_press_event_t& event) const
    {
        const uint16_t held = event.state & allModifierBits & static_cast<uint16_t>(~ignoredLocks);
        return event.detail == key && event.root == root && held == modifiers;
    }

    void release() const
    {
        for (uint16_t variant : taken)
            xcb_ungrab_key(connection, key, root, variant);
        xcb_flush(connection);
    }
};

class X11HotKey : public GlobalHotKey, public QAbstractNativeEventFilter {
public:
    explicit X11HotKey(QObject* parent) : GlobalHotKey(parent) {}
    ~X11HotKey() override { release(); }

    void setKey(const QKeySequence& key) override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    bool worksEverywhere() const override { return qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"); }

private:
    void release();
    std::unique_ptr<Grab> m_grab;
};

void X11HotKey::release()
{
    if (!m_grab)
        return;
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
    // Once the application has closed its connection the server has dropped the grabs already.
    if (x11Connection() == m_grab->connection)
        m_grab->release();
    m_grab.reset();
}

void X11HotKey::setKey(const QKeySequence& key)
{
    release();
    rememberKey(key);
    if (key.isEmpty()) {
        setState(State::Unbound);
        return;
    }
    xcb_connection_t* connection = x11Connection();
    const QKeyCombination combination = key[0];
    const auto syms = keysymsFor(combination.key());
    if (!connection || !syms) {
        setState(State::Unavailable);
        return;
    }
    const KeyboardMap keyboard(connection);
    const std::vector<xcb_keycode_t> keys = keyboard.keycodesFor(syms->first, syms->second);
    if (keys.empty()) {
        setState(State::Unavailable);
        return;
    }

    auto grab = std::make_unique<Grab>();
    grab->connection = connection;
    grab->root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    grab->key = keys.front();
    grab->modifiers = x11Modifiers(combination.keyboardModifiers());
    const uint16_t numLock = numLockMask(connection, keyboard);
    grab->ignoredLocks = static_cast<uint16_t>(numLock | XCB_MOD_MASK_LOCK);

    for (uint16_t locks : {uint16_t{0}, numLock, uint16_t{XCB_MOD_MASK_LOCK},
                           static_cast<uint16_t>(numLock | XCB_MOD_MASK_LOCK)}) {
        const auto modifiers = static_cast<uint16_t>(grab->modifiers | locks);
        if (std::find(grab->taken.begin(), grab->taken.end(), modifiers) != grab->taken.end())
            continue;  // no NumLock modifier on this keyboard: the variants coincide
        if (!grabChecked(connection, grab->root, modifiers, grab->key)) {
            grab->release();
            setState(State::Taken);
            return;
        }
        grab->taken.push_back(modifiers);
    }

    m_grab = std::move(grab);
    QCoreApplication::instance()->installNativeEventFilter(this);
    setState(State::Bound);
}

bool X11HotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/)
{
    if (!m_grab || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS)
        return false;
    if (!m_grab->matches(*reinterpret_cast<const xcb_key_press_event_t*>(event)))
        return false;
    // Queued like any other input, so the receiver may use the clipboard,
    // which waits on the X connection, outside of event dispatch.
    QMetaObject::invokeMethod(this, &GlobalHotKey::activated, Qt::QueuedConnection);
    return true;
}

} // namespace

std::unique_ptr<GlobalHotKey> createX11HotKey(QObject* parent)
{
    return std::make_unique<X11HotKey>(parent);
}
