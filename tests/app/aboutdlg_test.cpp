#include "app/aboutdlg.h"
#include "framework/dialogunits.h"
#include "orrin/version.h"
#include "res/resource.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <functional>

// How a user ends the dialog, given the dialog.
using CloseAction = std::function<void(QWidget*)>;
Q_DECLARE_METATYPE(CloseAction)

namespace {

// Acts on the dialog once its modal loop runs, as a user would.
void whenModal(CloseAction action)
{
    QTimer::singleShot(0, [action = std::move(action)] { action(QApplication::activeModalWidget()); });
}

}  // namespace

class AboutDlgTest : public QObject {
    Q_OBJECT

private slots:
    void caption();
    void showsProgramIcon();
    void texts_data();
    void texts();
    void controlsSitAtTheirTemplatePlaces_data();
    void controlsSitAtTheirTemplatePlaces();
    void closes_data();
    void closes();
};

void AboutDlgTest::caption()
{
    CAboutDlg dlg(nullptr);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(Tessel)"));
}

void AboutDlgTest::showsProgramIcon()
{
    CAboutDlg dlg(nullptr);
    const auto* icon = dlg.findChild<QLabel*>(QStringLiteral("iconLabel"));
    QVERIFY(icon);
    QVERIFY(!icon->pixmap().isNull());
    QCOMPARE(icon->pixmap().size(), QSize(32, 32));
    QCOMPARE(icon->size(), QSize(32, 32));
}

void AboutDlgTest::texts_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::newRow("version") << "versionLabel"
                             << "Orrin Version " ORRIN_VERSION;
    QTest::newRow("description") << "descriptionLabel"
                                 << "常駐型の関数電卓";
    QTest::newRow("ok") << "okButton"
                        << "OK";
}

// Each text is shown whole: its control, placed from the template, is at
// least as wide and as tall as the text needs in the template's font (a
// button also keeps the style's margin on either side).
void AboutDlgTest::texts()
{
    QFETCH(QString, control);
    QFETCH(QString, text);
    CAboutDlg dlg(nullptr);
    dlg.show();
    const auto* widget = dlg.findChild<QWidget*>(control);
    QVERIFY(widget);
    QVERIFY(widget->isVisible());
    QSize needed = widget->fontMetrics().size(Qt::TextSingleLine, text);
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        QCOMPARE(label->text(), text);
    } else {
        const auto* button = qobject_cast<const QPushButton*>(widget);
        QVERIFY(button);
        QCOMPARE(button->text(), text);
        needed.rwidth() += 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    }
    QVERIFY2(needed.width() <= widget->width() && needed.height() <= widget->height(),
             qPrintable(QStringLiteral("%1 needs %2x%3, has %4x%5")
                            .arg(control)
                            .arg(needed.width())
                            .arg(needed.height())
                            .arg(widget->width())
                            .arg(widget->height())));
    QVERIFY(dlg.rect().contains(widget->geometry()));
}

void AboutDlgTest::controlsSitAtTheirTemplatePlaces_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("dialogUnits");
    QTest::newRow("version") << "versionLabel" << QRect(40, 10, 119, 8);
    QTest::newRow("description") << "descriptionLabel" << QRect(40, 25, 137, 8);
    QTest::newRow("ok") << "okButton" << QRect(178, 7, 32, 14);
}

void AboutDlgTest::controlsSitAtTheirTemplatePlaces()
{
    QFETCH(QString, control);
    QFETCH(QRect, dialogUnits);
    CAboutDlg dlg(nullptr);
    const DialogBaseUnits units = dialogBaseUnits(dialogTemplateFont());
    QCOMPARE(dlg.size(), dialogUnitsToPixels(QRect(0, 0, 217, 55), units).size());
    const auto* widget = dlg.findChild<QWidget*>(control);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), dialogUnitsToPixels(dialogUnits, units));
}

void AboutDlgTest::closes_data()
{
    QTest::addColumn<CloseAction>("close");
    QTest::addColumn<int>("result");
    QTest::newRow("ok_button") << CloseAction([](QWidget* dlg) {
        QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    }) << IDOK;
    QTest::newRow("enter") << CloseAction([](QWidget* dlg) { QTest::keyClick(dlg, Qt::Key_Return); }) << IDOK;
    QTest::newRow("escape") << CloseAction([](QWidget* dlg) { QTest::keyClick(dlg, Qt::Key_Escape); }) << IDCANCEL;
    QTest::newRow("close_box") << CloseAction([](QWidget* dlg) { dlg->close(); }) << IDCANCEL;
}

void AboutDlgTest::closes()
{
    QFETCH(CloseAction, close);
    QFETCH(int, result);
    CAboutDlg dlg(nullptr);
    bool wasModal = false;
    whenModal([&](QWidget* modal) {
        wasModal = modal == &dlg;
        if (modal)
            close(modal);
    });
    QCOMPARE(dlg.DoModal(), result);
    QVERIFY(wasModal);
    QVERIFY(!dlg.isVisible());
}

QTEST_MAIN(AboutDlgTest)
#include "aboutdlg_test.moc"
