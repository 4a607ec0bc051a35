#include "platform/trayicon.h"

namespace {

// Qt's own icon, kept for XEmbed trays: it reports double-clicks and the
// right button, and leaves the menu to the program's popup.
class EmbeddedTrayIcon : public TrayIcon {
public:
    explicit EmbeddedTrayIcon(const TrayIconSetup& setup) : m_icon(setup.icon, this)
    {
        m_icon.setObjectName(QStringLiteral("trayIcon"));
        m_icon.setToolTip(setup.toolTip);
        connect(&m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::activated);
        m_icon.show();
    }

private:
    QSystemTrayIcon m_icon;
};

}  // namespace

std::unique_ptr<TrayIcon> createTrayIcon(TrayKind kind, const TrayIconSetup& setup)
{
    switch (kind) {
    case TrayKind::Embedded:
        return std::make_unique<EmbeddedTrayIcon>(setup);
    case TrayKind::StatusNotifier:
        return createStatusNotifierIcon(setup);
    case TrayKind::None:
        break;
    }
    return nullptr;
}
