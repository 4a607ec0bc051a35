// The yardstick for the resident calculator's start-up, memory and idle
// figures: the least a Qt 6 program with the same visible parts must do.
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    QWidget window(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window.setObjectName("minimalWindow");
    window.setWindowTitle("minimal_qt");
    auto* layout = new QHBoxLayout(&window);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* combo = new QComboBox(&window);
    combo->setObjectName("minimalCombo");
    combo->setEditable(true);
    layout->addWidget(combo);
    window.setGeometry(100, 100, 300, 30);

    QPixmap square(16, 16);
    square.fill(Qt::darkGray);
    QSystemTrayIcon tray{QIcon(square)};
    tray.setToolTip("minimal_qt");
    tray.show();

    window.show();
    return QApplication::exec();
}
