#include "platform/hotkeyclipboard.h"

#include "platform/waylandsession.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// X11 lets any client read and own the clipboard, focused or not.
class QtClipboard : public HotKeyClipboard {
public:
    bool fetch() override { return true; }
    const QMimeData* mimeData() const override { return QGuiApplication::clipboard()->mimeData(); }
    void write(std::unique_ptr<QMimeData> data) override { QGuiApplication::clipboard()->setMimeData(data.release()); }
};

}  // namespace

std::unique_ptr<HotKeyClipboard> createQtClipboard()
{
    return std::make_unique<QtClipboard>();
}

std::unique_ptr<HotKeyClipboard> HotKeyClipboard::create(const GlobalHotKey* key, NoRouteReport noRoute)
{
    if (isWaylandSession())
        return createDataControlClipboard(key, std::move(noRoute));
    return createQtClipboard();
}
