#include "framework/listctrl.h"

#include "framework/textcodec.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// The 8-bit text of a cell; the display role holds its Unicode form.
constexpr int kBytesRole = Qt::UserRole;

std::string bytesOf(const QTreeWidgetItem* item, int column)
{
    return item->data(column, kBytesRole).toByteArray().toStdString();
}

void setCell(QTreeWidgetItem* item, int column, const std::string& text)
{
    item->setData(column, kBytesRole, QByteArray::fromStdString(text));
    item->setText(column, fromCp932(text));
}

}  // namespace

ListCtrl::ListCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(0);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
}

int ListCtrl::InsertColumn(const QString& heading, int width)
{
    const int index = columnCount();
    setColumnCount(index + 1);
    headerItem()->setText(index, heading);
    header()->resizeSection(index, width);
    return index;
}

int ListCtrl::InsertItem(const std::string& text)
{
    auto* item = new QTreeWidgetItem;
    for (int column = 0; column < columnCount(); ++column)
        setCell(item, column, std::string());
    setCell(item, 0, text);
    const int position = sortedPosition(text);
    insertTopLevelItem(position, item);
    return position;
}

bool ListCtrl::SetItemText(int index, int column, const std::string& text)
{
    QTreeWidgetItem* item = topLevelItem(index);
    if (!item || column < 0 || column >= columnCount())
        return false;
    setCell(item, column, text);
    if (column != 0 || isInOrder(index))
        return true;

    const bool selected = item->isSelected();
    const bool current = currentItem() == item;
    takeTopLevelItem(index);
    insertTopLevelItem(sortedPosition(text), item);
    if (current)
        setCurrentItem(item);
    item->setSelected(selected);
    return true;
}

std::string ListCtrl::GetItemText(int index, int column) const
{
    const QTreeWidgetItem* item = topLevelItem(index);
    if (!item || column < 0 || column >= columnCount())
        return std::string();
    return bytesOf(item, column);
}

int ListCtrl::GetItemCount() const
{
    return topLevelItemCount();
}

bool ListCtrl::DeleteItem(int index)
{
    QTreeWidgetItem* item = topLevelItem(index);
    if (!item)
        return false;
    // Qt selects a neighbour when the current row goes; here the other rows
    // keep their state, so a second Delete finds nothing selected.
    QList<QTreeWidgetItem*> keep = selectedItems();
    keep.removeOne(item);
    delete takeTopLevelItem(index);
    for (int i = 0; i < topLevelItemCount(); ++i)
        topLevelItem(i)->setSelected(keep.contains(topLevelItem(i)));
    return true;
}

bool ListCtrl::IsItemSelected(int index) const
{
    const QTreeWidgetItem* item = topLevelItem(index);
    return item && item->isSelected();
}

void ListCtrl::SelectItem(int index)
{
    if (QTreeWidgetItem* item = topLevelItem(index)) {
        setCurrentItem(item);
        item->setSelected(true);
    }
}

int ListCtrl::HitTest(const QPoint& clientPoint) const
{
    return indexOfTopLevelItem(itemAt(clientPoint));
}

bool ListCtrl::isInOrder(int index) const
{
    // A row whose name still sorts between its neighbours keeps its place,
    // and with it its order among rows of an equal name.
    const std::string name = bytesOf(topLevelItem(index), 0);
    const QTreeWidgetItem* before = topLevelItem(index - 1);
    const QTreeWidgetItem* after = topLevelItem(index + 1);
    return (!before || bytesOf(before, 0) <= name) && (!after || name <= bytesOf(after, 0));
}

int ListCtrl::sortedPosition(const std::string& name) const
{
    // Upper bound by the bytes of column 0: a row joins the end of the rows of
    // an equal name, so the newest of them comes last.
    int low = 0;
    int high = topLevelItemCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (name < bytesOf(topLevelItem(middle), 0))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

void ListCtrl::mousePressEvent(QMouseEvent* event)
{
    // As in the platform's list, a click beside the rows clears the selection.
    if (event->button() == Qt::LeftButton && !itemAt(event->position().toPoint())) {
        clearSelection();
        setCurrentItem(nullptr);
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void ListCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton)
        emit rightClicked(event->globalPosition().toPoint());
}

void ListCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClick();
}

void ListCtrl::keyPressEvent(QKeyEvent* event)
{
    emit keyDown(event->key());
    QTreeWidget::keyPressEvent(event);
}
