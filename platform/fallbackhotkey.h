#pragma once
#include "platform/globalhotkey.h"

#include <functional>
#include <memory>

// A hot key tried first through one route and, once that route turns out to
// be unavailable, through a second one made then (the portal, then the X11
// grab). While the first route holds the key without a key assigned yet
// (Unassigned), the second one stands in for it until the assignment comes.
// Otherwise the second route is never made while the first one works.
class FallbackHotKey : public GlobalHotKey {
    Q_OBJECT
public:
    using Factory = std::function<std::unique_ptr<GlobalHotKey>(QObject* parent)>;

    FallbackHotKey(std::unique_ptr<GlobalHotKey> first, Factory second, QObject* parent = nullptr);
    ~FallbackHotKey() override;

    void setKey(const QKeySequence& key) override;
    QString triggerText() const override;
    // The second route is a grab that other applications' windows never see;
    // while both hold the key, this tells of the route of the last press.
    bool worksEverywhere() const override;

private:
    void adopt(GlobalHotKey* route);
    void onRouteChanged();
    void makeSecond();
    // Releases the route's key; the route goes once the signal it may be
    // emitting returns.
    void dispose(std::unique_ptr<GlobalHotKey>& route);

    std::unique_ptr<GlobalHotKey> m_first;  // null once given up
    Factory m_makeSecond;
    std::unique_ptr<GlobalHotKey> m_second;
    bool m_secondFiredLast = false;
};
