#include "window/tesselview.h"

#include "core/clipboardcalculation.h"
#include "core/historyline.h"
#include "core/storedsettings.h"
#include "framework/application.h"
#include "platform/availablememory.h"
#include "framework/calcsetansevent.h"
#include "window/clipboardport.h"
#include "window/clipboardtext.h"
#include "framework/framewnd.h"
#include "platform/globalhotkey.h"
#include "platform/hotkeyclipboard.h"
#include "res/images.h"
#include "res/menus.h"
#include "framework/messagebox.h"
#include "framework/popupmenu.h"
#include "framework/profile.h"
#include "res/resource.h"
#include "window/tesseldoc.h"
#include "framework/textcodec.h"
#include "datafile/variablesarchive.h"
#include "res/texts.h"

#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <memory>
#include <optional>
#include <utility>

namespace {

QWidget* mainWindow()
{
    Application* app = Application::instance();
    return app ? app->GetMainWnd() : nullptr;
}

}  // namespace

CTesselView::CTesselView(QWidget* parent, ViewHost host)
    : View(parent),
      m_entryBox(this),
      m_grip(this),
      m_host(std::move(host))
{
    setObjectName(QStringLiteral("tesselView"));
    m_entryBox.setObjectName(QStringLiteral("entryBox"));
    m_entryBox.m_pView = this;
    m_grip.setObjectName(QStringLiteral("grip"));
    m_grip.setPixmap(loadBitmap(res::IDB_GRIP));
    connect(m_entryBox.lineEdit(), &QLineEdit::textEdited, this, &CTesselView::OnEditChange);
    // A text too large for the memory the machine can give is refused with
    // memory_error before the system would end the program for it.
    m_calculator.setMemoryBudget(availableMemory);
    createCommandMap();
}

CTesselView::~CTesselView() = default;

void CTesselView::createCommandMap()
{
    OnCommand(res::ID_EDIT_COPY, [this] { OnEditCopy(); });
    OnCommand(res::ID_EDIT_CUT, [this] { OnEditCut(); });
    OnCommand(res::ID_EDIT_PASTE, [this] { OnEditPaste(); });
    OnCommand(res::ID_EDIT_UNDO, [this] { OnEditUndo(); });
    OnCommand(res::ID_MINIMIZE, [this] { OnMinimize(); });
    OnCommand(res::ID_RESTORE, [this] { OnRestore(); });
    OnCommand(res::ID_SETTINGS, [this] { OnSettings(); });
    OnCommand(res::ID_DELETE_REGISTRY, [this] { OnDeleteRegistry(); });
    // The context menu reaches only the view and the document; these make the
    // application's own commands work from it as well.
    for (int id : {res::ID_APP_ABOUT, res::ID_APP_EXIT, res::ID_HELP_FINDER})
        OnCommand(id, [this, id] { forwardToApplication(id); });
}

void CTesselView::forwardToApplication(int id)
{
    if (Application* app = Application::instance())
        app->OnCmdMsg(id);
}

void CTesselView::OnInitialUpdate()
{
    View::OnInitialUpdate();
    m_hUndoTarget = m_entryBox.lineEdit();
    layoutControls();
    // Made also without a key, so that the settings can give it one later.
    // Owned by the view as its child.
    m_pHotKey = GlobalHotKey::create(this, QString::fromUtf8(res::text::shortcutDescription)).release();
    connect(m_pHotKey, &GlobalHotKey::activated, this, &CTesselView::OnHotKey);
    m_pHotKey->setKey(m_host.hotKey);
}

void CTesselView::Serialize(Archive& archive)
{
    serializeVariables(archive, m_calculator);
}

void CTesselView::DoDataExchange(DataExchange& dx)
{
    if (!dx.m_bSaveAndValidate) {
        selectEntryOrSetText();
        return;
    }
    m_strEntry = toCp932(m_entryBox.currentText());
    if (m_strEntry.size() <= maxEntryLength)
        return;
    showMessageBox(this, QString::fromUtf8(res::text::entryTooLong).arg(maxEntryLength));
    dx.Fail(&m_entryBox);
}

void CTesselView::selectEntryOrSetText()
{
    const QString entry = fromCp932(m_strEntry);
    for (int i = 0; i < m_entryBox.count(); ++i) {
        const QString item = m_entryBox.itemText(i);
        if (item.startsWith(entry, Qt::CaseInsensitive)) {
            m_entryBox.setCurrentIndex(i);
            m_entryBox.setEditText(item);
            return;
        }
    }
    m_entryBox.setEditText(entry);
}

bool CTesselView::event(QEvent* event)
{
    if (event->type() == CalcSetAnsEvent::eventType()) {
        OnCalcSetAns(static_cast<CalcSetAnsEvent*>(event)->mode());
        return true;
    }
    return View::event(event);
}

void CTesselView::OnCalcSetAns(int mode)
{
    // A text over the limit has been warned about and is evaluated all the same.
    UpdateData(true);
    std::optional<std::string> line = evaluateEntry(m_calculator, m_strEntry, mode);
    if (!line)
        return;
    m_strEntry = std::move(*line);

    m_entryBox.insertItem(0, fromCp932(m_strEntry));
    UpdateData(false);
    m_entryBox.lineEdit()->selectAll();
    if (m_strEntry.size() >= largeTextSize)
        returnFreedMemory();
}

void CTesselView::OnHotKey()
{
    ClipboardText text;
    ExchangeClipboard(text);
}

void CTesselView::ExchangeClipboard(ClipboardText& text)
{
    if (!m_pClipboard)
        m_pClipboard = HotKeyClipboard::create(
            m_pHotKey, [] { showMessageBox(nullptr, QString::fromUtf8(res::text::clipboardUnavailable)); });
    QtClipboardPort clipboard(*m_pClipboard, text);
    const ClipboardCalculation done = calculateClipboard(m_calculator, clipboard);
    // Qt lets go of its own copies of the clipboard's data only once this
    // handler has returned: the memory is given back after that.
    if (done.written && done.textSize >= largeTextSize)
        QMetaObject::invokeMethod(
            this, [] { returnFreedMemory(); }, Qt::QueuedConnection);
}

void CTesselView::OnEditChange()
{
    UpdateData(true);
}

void CTesselView::OnEditCopy()
{
    m_entryBox.lineEdit()->copy();
}

void CTesselView::OnEditCut()
{
    m_entryBox.lineEdit()->cut();
}

void CTesselView::OnEditPaste()
{
    m_entryBox.lineEdit()->paste();
}

void CTesselView::OnEditUndo()
{
    if (m_hUndoTarget)
        m_hUndoTarget->undo();
}

void CTesselView::OnMinimize()
{
    if (QWidget* frame = mainWindow())
        frame->hide();
}

void CTesselView::OnRestore()
{
    // Shown means ready for typing, as a window shown by the system is active.
    if (QWidget* frame = mainWindow()) {
        frame->show();
        frame->activateWindow();
    }
}

void CTesselView::OnSettings()
{
    // Owned by the strip, so that the always-on-top strip never covers it.
    if (m_host.editSettings)
        m_host.editSettings(mainWindow(), m_calculator, m_pHotKey);
    if (Document* document = GetDocument())
        document->OnSaveDocument(CTesselDoc::dataFileName);
}

void CTesselView::OnDeleteRegistry()
{
    if (showMessageBox(this, QString::fromUtf8(res::text::confirmDeleteRegistry), MessageButtons::OkCancel) != IDOK)
        return;
    if (m_host.profileDeleted)
        m_host.profileDeleted();
    QStringList sections;
    for (const char* section : deletedSections)
        sections << QString::fromLatin1(section);
    deleteProfileSections(sections);
}

void CTesselView::resizeEvent(QResizeEvent* event)
{
    View::resizeEvent(event);
    layoutControls();
}

void CTesselView::layoutControls()
{
    m_entryBox.setGeometry(gripWidth, 0, width() - gripWidth, height());
    m_grip.setGeometry(0, 0, gripWidth, gripWidth);
}

void CTesselView::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_ptDrag = point;
        if (point.x() < gripWidth)
            m_bDrag = true;
    } else if (event->button() == Qt::RightButton && point.x() > 0 && point.x() < gripWidth) {
        showContextMenu(point);
    }
    event->accept();
}

void CTesselView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    QWidget* frame = mainWindow();
    if (m_bDrag && frame) {
        // Placed from the pointer's screen position so that the point pressed
        // stays under it. The position within the view is no use here: the
        // window system measures queued moves against where the window was
        // before the last move took effect, and the window would run away
        // from a quick drag.
        const QPoint pressedInFrame = mapTo(frame, m_ptDrag);
        frame->move(event->globalPosition().toPoint() - pressedInFrame);
    }
}

void CTesselView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_ptDrag = event->position().toPoint();
    m_bDrag = false;
}

void CTesselView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && event->position().x() < gripWidth)
        OnMinimize();
}

void CTesselView::showContextMenu(const QPoint& point)
{
    std::unique_ptr<QMenu> menu = loadMenu(res::IDR_CONTEXT_MENU, this);
    if (m_host.exitInContextMenu && m_host.exitInContextMenu())
        insertExitItem(*menu);
    QWidget* frame = mainWindow();
    // Placed from the window's corner offset by the click within the view.
    const QPoint corner = frame ? frame->pos() : mapToGlobal(QPoint(0, 0));
    const int command = trackPopupMenu(*menu, corner + point, res::ID_MINIMIZE,
                                       [this](int id) { return CanSendCommand(id); });
    menu.reset();
    if (command != 0)
        SendCommand(command);
}
