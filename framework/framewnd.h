#pragma once
#include "framework/commandtarget.h"

#include <QRect>
#include <QWidget>
#include <optional>

class View;

// What a frame asks for before its window is made: flags and outer rectangle
// (none: the platform chooses). A rectangle given is used as it is, even an
// empty one.
struct CreateStruct {
    Qt::WindowFlags flags = Qt::Window;
    std::optional<QRect> rect;
};

// The main frame of the single-document framework: a top-level window whose
// client area holds the view. Commands sent to the frame (accelerators, tray
// menu) are offered to the active view, its document, the frame and the
// application object, in that order.
class FrameWnd : public QWidget, public CommandTarget {
public:
    // Runs PreCreateWindow, applies its flags and rectangle (hidden), then
    // OnCreate; false when either refuses.
    bool Create();

    void SetActiveView(View* view);

    bool SendCommand(int id);
    bool CanSendCommand(int id) const;

    // Ends the window's service (the tray icon goes); called once by exit.
    void DestroyWindow();

protected:
    virtual bool PreCreateWindow(CreateStruct&) { return true; }
    // Returns -1 to abandon the window, 0 to go on.
    virtual int OnCreate() { return 0; }
    virtual void OnDestroy() {}

    // The view fills the contents rectangle (inside the contents margins).
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutView();

    View* m_pActiveView = nullptr;
    bool m_destroyed = false;
};
