#pragma once
#include <QPoint>
#include <QString>
#include <QTreeWidget>
#include <string>

// The platform's list view in report mode with sorted rows and single
// selection. Texts are held as the program's 8-bit text (code page 932) and
// shown in Unicode. Rows stay sorted ascending by the bytes of their column 0
// text: InsertItem places a row at its sorted place (after rows of an equal
// name) and returns that index; changing a row's column 0 text so that it no
// longer sorts between its neighbours moves the row to its sorted place,
// keeping its selection; otherwise the row stays. Column headers are not
// clickable.
//
// Notifications, as the platform sends them to the page: rightClicked (a
// right click, with the cursor's screen position), doubleClick (anywhere,
// on a row or not), keyDown (a key pressed in the list).
class ListCtrl : public QTreeWidget {
    Q_OBJECT

public:
    explicit ListCtrl(QWidget* parent = nullptr);

    // Appends a column; width in pixels.
    int InsertColumn(const QString& heading, int width);

    int InsertItem(const std::string& text);
    bool SetItemText(int row, int column, const std::string& text);
    std::string GetItemText(int row, int column) const;
    int GetItemCount() const;
    // Removes the row; the other rows keep their selection (none is selected
    // in its place).
    bool DeleteItem(int row);

    bool IsItemSelected(int row) const;
    void SelectItem(int row);

    // The row at a point of the list's client area, or -1.
    int HitTest(const QPoint& clientPoint) const;

signals:
    void rightClicked(const QPoint& globalPosition);
    void doubleClick();
    void keyDown(int key);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool isInOrder(int row) const;
    int sortedPosition(const std::string& name) const;
};
