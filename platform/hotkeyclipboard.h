#pragma once
#include <functional>
#include <memory>

class GlobalHotKey;
class QMimeData;

// The clipboard as the global hot key reaches it while another application
// has focus: through Qt under X11; in a Wayland session through the
// compositor's data-control protocol on a connection of the program's own,
// as Qt's clipboard there serves only the focused window.
class HotKeyClipboard {
public:
    // Called once, the first time fetch() finds that the desktop gives no route.
    using NoRouteReport = std::function<void()>;

    // key: the hot key whose presses read and write the clipboard, or null.
    static std::unique_ptr<HotKeyClipboard> create(const GlobalHotKey* key = nullptr, NoRouteReport noRoute = {});
    virtual ~HotKeyClipboard() = default;

    // Takes the clipboard's current contents. Returns false when they cannot
    // be read now (the desktop gives no route, reported once, or the owner
    // did not answer); then nothing may be written either. A
    // clipboard holding no text reads fine, as contents without text.
    virtual bool fetch() = 0;
    // The contents fetch() took; valid until the next fetch() or write().
    virtual const QMimeData* mimeData() const = 0;
    // Makes data the clipboard's only contents.
    virtual void write(std::unique_ptr<QMimeData> data) = 0;
};

// Qt's clipboard, the route under X11.
std::unique_ptr<HotKeyClipboard> createQtClipboard();
// The data-control route; it connects to the compositor on the first fetch().
// Where the compositor offers none, a key that works only while an X11 window
// has focus still reaches the clipboard through X11: the compositor hands the
// clipboard to X11 whenever one of its windows has focus.
std::unique_ptr<HotKeyClipboard> createDataControlClipboard(const GlobalHotKey* key,
                                                            HotKeyClipboard::NoRouteReport noRoute);
