#pragma once
#include <QAbstractNativeEventFilter>
#include <QObject>

#include <memory>

// The system-wide hot key Ctrl+Shift+C, pressed in any application.
// registerHotKey() takes the key from the window system once; it returns false
// when another client already holds it or the platform has no global keys, and
// the program then simply runs without it. activated() is queued, so receivers
// run from the event loop like any other posted event, never inside the filter.
class GlobalHotKey : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit GlobalHotKey(QObject* parent = nullptr);
    ~GlobalHotKey() override;

    GlobalHotKey(const GlobalHotKey&) = delete;
    GlobalHotKey& operator=(const GlobalHotKey&) = delete;

    // Ctrl+Shift+C; later calls return the first call's result without grabbing again.
    bool registerHotKey();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void activated();

private:
    struct Grab;  // the platform's record of the key taken
    std::unique_ptr<Grab> m_grab;
    bool m_tried = false;
};
