#include "framework/dialogunits.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QWidget>

class DialogUnitsTest : public QObject {
    Q_OBJECT

private slots:
    void horizontal_data();
    void horizontal();
    void vertical_data();
    void vertical();
    void templateSizesDialogAndControls();
};

void DialogUnitsTest::horizontal_data()
{
    QTest::addColumn<int>("baseWidth");
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("pixels");
    QTest::newRow("four units are one character") << 6 << 4 << 6;
    QTest::newRow("half pixel rounds up") << 6 << 1 << 2;
    QTest::newRow("quarter pixel rounds down") << 5 << 1 << 1;
    QTest::newRow("three quarters round up") << 7 << 1 << 2;
    QTest::newRow("page width") << 6 << 227 << 341;
    QTest::newRow("button width") << 7 << 50 << 88;
    QTest::newRow("zero") << 7 << 0 << 0;
    QTest::newRow("negative half rounds away from zero") << 6 << -1 << -2;
}

void DialogUnitsTest::horizontal()
{
    QFETCH(int, baseWidth);
    QFETCH(int, units);
    QFETCH(int, pixels);
    QCOMPARE(dialogUnitsToPixelsX(units, DialogBaseUnits{baseWidth, 99}), pixels);
}

void DialogUnitsTest::vertical_data()
{
    QTest::addColumn<int>("baseHeight");
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("pixels");
    QTest::newRow("eight units are one line") << 12 << 8 << 12;
    QTest::newRow("half pixel rounds up") << 12 << 1 << 2;
    QTest::newRow("page height") << 12 << 167 << 251;
    QTest::newRow("button height") << 13 << 14 << 23;
    QTest::newRow("label height") << 13 << 8 << 13;
    QTest::newRow("an eighth rounds down") << 13 << 5 << 8;
}

void DialogUnitsTest::vertical()
{
    QFETCH(int, baseHeight);
    QFETCH(int, units);
    QFETCH(int, pixels);
    QCOMPARE(dialogUnitsToPixelsY(units, DialogBaseUnits{99, baseHeight}), pixels);
}

void DialogUnitsTest::templateSizesDialogAndControls()
{
    QWidget dialog;
    const DialogTemplate layout(&dialog, 143, 139);
    const DialogBaseUnits units = dialogBaseUnits(dialog.font());
    QVERIFY(units.width > 0);
    QVERIFY(units.height > units.width);
    QCOMPARE(dialog.font().family(), QApplication::font().family());
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QCOMPARE(dialog.minimumSize(), QSize(dialogUnitsToPixelsX(143, units), dialogUnitsToPixelsY(139, units)));

    auto* label = new QLabel(&dialog);
    layout.place(label, 21, 27, 22, 8);
    QCOMPARE(label->geometry(),
             QRect(dialogUnitsToPixelsX(21, units), dialogUnitsToPixelsY(27, units), dialogUnitsToPixelsX(22, units),
                   dialogUnitsToPixelsY(8, units)));
}

QTEST_MAIN(DialogUnitsTest)
#include "dialogunits_test.moc"
