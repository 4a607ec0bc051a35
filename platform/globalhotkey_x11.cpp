#include "platform/globalhotkey.h"

#include "platform/waylandsession.h"
#include "platform/connection_x11.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QMetaObject>

#include <xcb/xcb.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr xcb_keysym_t keysymNumLock = 0xff7f;
constexpr uint16_t allModifierBits = 0xff;

// The keyboard's keycode-to-keysym table, as it was when read.
class KeyboardMap {
public:
    explicit KeyboardMap(xcb_connection_t* connection)
        : m_first(xcb_get_setup(connection)->min_keycode),
          m_reply(xcb_get_keyboard_mapping_reply(
              connection,
              xcb_get_keyboard_mapping(connection, m_first, xcb_get_setup(connection)->max_keycode - m_first + 1),
              nullptr))
    {}

    // Every keycode whose unshifted or shifted symbol is one of the two given.
    std::vector<xcb_keycode_t> keycodesFor(xcb_keysym_t lower, xcb_keysym_t upper) const
    {
        std::vector<xcb_keycode_t> found;
        if (!m_reply)
            return found;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(m_reply.get());
        const int perCode = m_reply->keysyms_per_keycode;
        const int count = xcb_get_keyboard_mapping_keysyms_length(m_reply.get());
        const auto isWanted = [&](xcb_keysym_t sym) { return sym == lower || sym == upper; };
        for (int index = 0; perCode > 0 && index + perCode <= count; index += perCode) {
            if (isWanted(syms[index]) || (perCode > 1 && isWanted(syms[index + 1])))
                found.push_back(static_cast<xcb_keycode_t>(m_first + index / perCode));
        }
        return found;
    }

private:
    xcb_keycode_t m_first;
    XcbReply<xcb_get_keyboard_mapping_reply_t> m_reply;
};

// The modifier bit that NumLock sets in key events; 0 when no modifier carries it.
uint16_t numLockMask(xcb_connection_t* connection, const KeyboardMap& keyboard)
{
    const std::vector<xcb_keycode_t> numLockCodes = keyboard.keycodesFor(keysymNumLock, keysymNumLock);
    const XcbReply<xcb_get_modifier_mapping_reply_t> reply(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    if (!reply || numLockCodes.empty())
        return 0;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply.get());
    const int perModifier = reply->keycodes_per_modifier;
    for (int index = 0; index < 8 * perModifier; ++index) {
        if (std::find(numLockCodes.begin(), numLockCodes.end(), codes[index]) != numLockCodes.end())
            return static_cast<uint16_t>(1u << (index / perModifier));
    }
    return 0;
}

bool grabChecked(xcb_connection_t* connection, xcb_window_t root, uint16_t modifiers, xcb_keycode_t key)
{
    const xcb_void_cookie_t cookie = xcb_grab_key_checked(connection, 1, root, modifiers, key, XCB_GRAB_MODE_ASYNC,
                                                          XCB_GRAB_MODE_ASYNC);
    // Grab errors arrive late; waiting for this request's own answer is what
    // tells us whether another client already holds the key.
    return !XcbReply<xcb_generic_error_t>(xcb_request_check(connection, cookie));
}

// The keysyms of a Qt key, unshifted and shifted (the same for keys without
// case); none for keys that X11 has no symbol for.
std::optional<std::pair<xcb_keysym_t, xcb_keysym_t>> keysymsOf(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return std::pair<xcb_keysym_t, xcb_keysym_t>(key + 0x20, key);
    if (key >= Qt::Key_Space && key <= Qt::Key_ydiaeresis)
        return std::pair<xcb_keysym_t, xcb_keysym_t>(key, key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) {
        const auto sym = static_cast<xcb_keysym_t>(0xffbe + (key - Qt::Key_F1));
        return std::pair(sym, sym);
    }
    static constexpr std::pair<int, xcb_keysym_t> named[] = {
        {Qt::Key_Escape, 0xff1b},   {Qt::Key_Tab, 0xff09},    {Qt::Key_Backspace, 0xff08}, {Qt::Key_Return, 0xff0d},
        {Qt::Key_Enter, 0xff8d},    {Qt::Key_Insert, 0xff63}, {Qt::Key_Delete, 0xffff},    {Qt::Key_Pause, 0xff13},
        {Qt::Key_Print, 0xff61},    {Qt::Key_Home, 0xff50},   {Qt::Key_End, 0xff57},       {Qt::Key_Left, 0xff51},
        {Qt::Key_Up, 0xff52},       {Qt::Key_Right, 0xff53},  {Qt::Key_Down, 0xff54},      {Qt::Key_PageUp, 0xff55},
        {Qt::Key_PageDown, 0xff56},
    };
    for (const auto& [qtKey, sym] : named) {
        if (qtKey == key)
            return std::pair(sym, sym);
    }
    return std::nullopt;
}

// X11's modifier bits for Qt's; Meta is the Super key, which X11 puts on Mod4.
uint16_t modifierBitsOf(Qt::KeyboardModifiers modifiers)
{
    static constexpr std::pair<Qt::KeyboardModifier, uint16_t> bitOf[] = {
        {Qt::ShiftModifier, XCB_MOD_MASK_SHIFT},
        {Qt::ControlModifier, XCB_MOD_MASK_CONTROL},
        {Qt::AltModifier, XCB_MOD_MASK_1},
        {Qt::MetaModifier, XCB_MOD_MASK_4},
    };
    uint16_t bits = 0;
    for (const auto& [modifier, bit] : bitOf) {
        if (modifiers & modifier)
            bits |= bit;
    }
    return bits;
}

// The key taken from the X server: one keycode with its modifiers, grabbed
// once for each state of NumLock and CapsLock.
struct Grab {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = XCB_NONE;
    xcb_keycode_t key = 0;
    uint16_t modifiers = 0;
    uint16_t ignoredLocks = 0;    // NumLock and CapsLock: held or not, the hot key fires
    std::vector<uint16_t> taken;  // modifier sets grabbed so far

    bool matches(const xcb_key_press_event_t& event) const
    {
        const uint16_t held = event.state & allModifierBits & static_cast<uint16_t>(~ignoredLocks);
        return event.detail == key && event.root == root && held == modifiers;
    }

    void release()
    {
        for (uint16_t variant : taken)
            xcb_ungrab_key(connection, key, root, variant);
        taken.clear();
        xcb_flush(connection);
    }
};

class X11GlobalHotKey : public GlobalHotKey, public QAbstractNativeEventFilter {
public:
    explicit X11GlobalHotKey(QObject* parent) : GlobalHotKey(parent)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    ~X11GlobalHotKey() override
    {
        if (QCoreApplication* app = QCoreApplication::instance())
            app->removeNativeEventFilter(this);
        release();
    }

    void setKey(const QKeySequence& key) override
    {
        release();
        rememberKey(key);
        setState(key.isEmpty() ? State::Unbound : grab());
    }

    bool worksEverywhere() const override
    {
        // Under a Wayland compositor the grab only sees keys meant for X clients.
        return !isWaylandSession();
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        const uint8_t type = event->response_type & ~0x80;
        if (type == XCB_MAPPING_NOTIFY) {
            const auto* mapping = reinterpret_cast<const xcb_mapping_notify_event_t*>(event);
            // The key may sit on another keycode now, or NumLock on another
            // modifier: the grab is taken again, after Qt has seen the event too.
            if (mapping->request != XCB_MAPPING_POINTER && state() == State::Bound)
                QMetaObject::invokeMethod(
                    this, [this] { regrab(); }, Qt::QueuedConnection);
            return false;
        }
        if (type != XCB_KEY_PRESS || !m_grab)
            return false;
        if (!m_grab->matches(*reinterpret_cast<const xcb_key_press_event_t*>(event)))
            return false;
        // Queued like any other input, so the receiver may use the clipboard,
        // which waits on the X connection, outside of event dispatch.
        QMetaObject::invokeMethod(this, &GlobalHotKey::activated, Qt::QueuedConnection);
        return true;
    }

private:
    void release()
    {
        // Once the application has closed its connection the server has dropped the grabs already.
        if (m_grab && x11Connection() == m_grab->connection)
            m_grab->release();
        m_grab.reset();
    }

    void regrab()
    {
        if (state() != State::Bound)
            return;
        release();
        setState(grab());
    }

    State grab()
    {
        xcb_connection_t* connection = x11Connection();
        const QKeyCombination combination = key()[0];
        const auto syms = keysymsOf(combination.key());
        if (!connection || !syms)
            return State::Unavailable;
        const KeyboardMap keyboard(connection);
        const std::vector<xcb_keycode_t> keys = keyboard.keycodesFor(syms->first, syms->second);
        if (keys.empty())
            return State::Unavailable;

        auto grab = std::make_unique<Grab>();
        grab->connection = connection;
        grab->root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        grab->key = keys.front();
        grab->modifiers = modifierBitsOf(combination.keyboardModifiers());
        const uint16_t numLock = numLockMask(connection, keyboard);
        grab->ignoredLocks = static_cast<uint16_t>(numLock | XCB_MOD_MASK_LOCK);

        for (uint16_t locks :
             {uint16_t{0}, numLock, uint16_t{XCB_MOD_MASK_LOCK}, static_cast<uint16_t>(numLock | XCB_MOD_MASK_LOCK)}) {
            const auto modifiers = static_cast<uint16_t>(grab->modifiers | locks);
            if (std::find(grab->taken.begin(), grab->taken.end(), modifiers) != grab->taken.end())
                continue;  // no NumLock modifier on this keyboard: the variants coincide
            if (!grabChecked(connection, grab->root, modifiers, grab->key)) {
                grab->release();
                return State::Taken;
            }
            grab->taken.push_back(modifiers);
        }
        m_grab = std::move(grab);
        return State::Bound;
    }

    std::unique_ptr<Grab> m_grab;
};

}  // namespace

std::unique_ptr<GlobalHotKey> createX11GlobalHotKey(QObject* parent);

std::unique_ptr<GlobalHotKey> createX11GlobalHotKey(QObject* parent)
{
    return std::make_unique<X11GlobalHotKey>(parent);
}
