#pragma once
#include "platform/globalhotkey.h"

#include <functional>
#include <memory>

// A hot key tried first through one route and, once that route turns out to
// be unavailable, through a second one made then (the portal, then the X11
// grab). The second route is never made while the first one works.
class FallbackHotKey : public GlobalHotKey {
    Q_OBJECT
public:
    using Factory = std::function<std::unique_ptr<GlobalHotKey>(QObject* parent)>;

    FallbackHotKey(std::unique_ptr<GlobalHotKey> first, Factory second, QObject* parent = nullptr);
    ~FallbackHotKey() override;

    void setKey(const QKeySequence& key) override;
    QString triggerText() const override;
    // The second route is a grab that other applications' windows never see.
    bool worksEverywhere() const override;

private:
    void adopt(GlobalHotKey* route);
    void onRouteChanged();

    std::unique_ptr<GlobalHotKey> m_first;
    Factory m_makeSecond;
    std::unique_ptr<GlobalHotKey> m_second;
};
