#pragma once
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <memory>

// A key that works in every application. setKey() asks the platform for it;
// some platforms answer later (a desktop portal may ask the user), so the
// outcome is state(), announced by stateChanged(). activated() is queued:
// receivers run from the event loop, never inside a platform callback.
class GlobalHotKey : public QObject {
    Q_OBJECT
public:
    // Unassigned: the desktop holds the shortcut but has no key on it yet;
    // the user assigns one in the desktop's own settings.
    enum class State { Unbound, Pending, Bound, Unassigned, Taken, Unavailable };

    // The implementation for this session (chosen at run time among those built).
    static std::unique_ptr<GlobalHotKey> create(QObject* parent = nullptr, const QString& description = {});
    ~GlobalHotKey() override;

    // Releases the key held before, then asks for `key` (empty: release only).
    virtual void setKey(const QKeySequence& key) = 0;
    QKeySequence key() const;  // the key last asked for
    State state() const;
    // The key as the platform reports it (a portal's trigger description);
    // by default key() in native text.
    virtual QString triggerText() const;
    // Whether the key works while other applications have focus
    // (false for an X11 grab under a Wayland compositor).
    virtual bool worksEverywhere() const { return true; }

signals:
    void activated();
    void stateChanged();

protected:
    explicit GlobalHotKey(QObject* parent);
    void setState(State state);  // emits stateChanged() on change
    void rememberKey(const QKeySequence& key);

private:
    QKeySequence m_key;
    State m_state = State::Unbound;
};
