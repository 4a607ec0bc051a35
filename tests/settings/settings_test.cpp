#include "engine/calculator.h"
#include "platform/codepage.h"
#include "settings/consteditdlg.h"
#include "settings/constpage.h"
#include "settings/generalpage.h"
#include "framework/listctrl.h"
#include "res/menus.h"
#include "framework/messagebox.h"
#include "framework/popupmenu.h"
#include "framework/propertysheet.h"
#include "res/resource.h"
#include "settings/settingscommand.h"
#include "settings/hotkeyedit.h"
#include "platform/globalhotkey.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

Q_DECLARE_METATYPE(std::string)

namespace {

const QString kLeadingDigitMessage = QStringLiteral("定数名の最初の文字に数字は使えません。");
const QString kBadCharacterMessage = QStringLiteral("数字か，大文字のアルファベットで入力して下さい。");
const QString kNumberMessage = QStringLiteral("数値を入力してください。");

// Acts on the next modal dialog once its event loop runs, as a user would.
// A dialog that is not opened while the object lives is never acted on.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(QWidget*)> answer) : m_answer(std::move(answer))
    {
        m_timer.setSingleShot(true);
        m_timer.callOnTimeout([this] {
            m_answered = true;
            QWidget* modal = QApplication::activeModalWidget();
            m_answer(modal);
            // A failed check leaves the answer early: never leave the
            // dialog open, or the test would wait for it for ever.
            if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible())
                dialog->reject();
        });
        m_timer.start(0);
    }

    bool answered() const { return m_answered; }

private:
    std::function<void(QWidget*)> m_answer;
    QTimer m_timer;
    bool m_answered = false;
};

// Records every message box and answers it with OK.
class MessageRecorder {
public:
    MessageRecorder()
        : m_hook([this](const QString& text, MessageButtons) {
              m_texts << text;
              return IDOK;
          })
    {}

    const QStringList& texts() const { return m_texts; }

private:
    QStringList m_texts;
    ScopedMessageBoxHook m_hook;
};

template <class T>
T* child(QWidget* parent, const char* name)
{
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

void click(QWidget* parent, const char* buttonName)
{
    child<QPushButton>(parent, buttonName)->click();
}

// The sheet's pieces, found as a user script would find them.
struct SheetView {
    QWidget* sheet;

    QTabWidget* tabs() const { return child<QTabWidget>(sheet, "propertySheetTabs"); }
    ListCtrl* list() const { return child<ListCtrl>(sheet, "constList"); }
    CConstPage* constPage() const { return child<CConstPage>(sheet, "constPage"); }
    QCheckBox* noDisplay() const { return child<QCheckBox>(sheet, "noDisplayCheck"); }
    CHotKeyEdit* hotKey() const { return child<CHotKeyEdit>(sheet, "hotKeyEdit"); }
    QString hotKeyState() const { return child<QLabel>(sheet, "hotKeyState")->text(); }
    void showConstants() const { tabs()->setCurrentIndex(1); }
    void ok() const { click(sheet, "propertySheetOk"); }
    void cancel() const { click(sheet, "propertySheetCancel"); }

    QStringList names() const
    {
        QStringList result;
        for (int i = 0; i < list()->GetItemCount(); ++i)
            result << QString::fromStdString(list()->GetItemText(i, 0));
        return result;
    }

    int rowOf(const std::string& name) const
    {
        for (int i = 0; i < list()->GetItemCount(); ++i) {
            if (list()->GetItemText(i, 0) == name)
                return i;
        }
        return -1;
    }

    QPoint rowCenter(int row) const { return list()->visualItemRect(list()->topLevelItem(row)).center(); }

    // A point of the list below its last row.
    QPoint emptyArea() const { return QPoint(20, list()->viewport()->height() - 5); }
};

// Runs the settings command; `actions` act on the open sheet and should end
// it with OK or Cancel (an open sheet is cancelled after them).
bool runSettings(Calculator<double>& calculator, bool& noDisplay, const std::function<void(const SheetView&)>& actions)
{
    ModalAnswer answer([&](QWidget* sheet) {
        const SheetView view{sheet};
        actions(view);
        if (sheet->isVisible())
            view.cancel();
    });
    GeneralSettings general;
    general.noDisplay = noDisplay;
    const bool result = runSettingsSheet(nullptr, calculator, general);
    if (!answer.answered())
        qFatal("the settings sheet did not open");
    noDisplay = general.noDisplay;
    return result;
}

// A hot key that another program holds exactly when it is `taken`.
class FakeHotKey : public GlobalHotKey {
public:
    explicit FakeHotKey(QKeySequence taken) : GlobalHotKey(nullptr), m_taken(std::move(taken)) {}

    void setKey(const QKeySequence& key) override
    {
        rememberKey(key);
        setState(key.isEmpty() ? State::Unbound : key == m_taken ? State::Taken : State::Bound);
    }

private:
    QKeySequence m_taken;
};

struct EditAnswer {
    QString name;
    QString value;
    QString description;
};

// Answers the next constant edit dialog: replaces its fields with the given
// texts and presses OK. Fields left null are not touched.
std::function<void(QWidget*)> fillEditDialog(const EditAnswer& answer)
{
    return [answer](QWidget* dialog) {
        auto replace = [dialog](const char* name, const QString& text) {
            if (text.isNull())
                return;
            auto* edit = child<QLineEdit>(dialog, name);
            edit->selectAll();
            edit->del();
            edit->insert(text);
        };
        replace("valueEdit", answer.value);
        replace("descriptionEdit", answer.description);
        replace("nameEdit", answer.name);
        click(dialog, "okButton");
        if (dialog->isVisible())
            click(dialog, "cancelButton");
    };
}

void store(Calculator<double>& calculator, const std::string& name, double value, const char* utf8Description = "")
{
    calculator.setVariable(name, Variable{value, utf8ToCp932(utf8Description)});
}

QStringList storeNames(const Calculator<double>& calculator)
{
    QStringList names;
    for (const auto& entry : calculator.variables)
        names << QString::fromStdString(entry.first);
    return names;
}

QString withoutMnemonic(QString text)
{
    return text.remove(QLatin1Char('&'));
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void storedHotKey_data();
    void storedHotKey();
    void hotKeyField_data();
    void hotKeyField();
    void editDialogOk_data();
    void editDialogOk();
    void specialValueCheckedOnlyOnOk();
    void okButtonFollowsName_data();
    void okButtonFollowsName();
    void storedNameShownInCapitals_data();
    void storedNameShownInCapitals();
    void nameLengthIsLimited();
    void longerStoredTextIsKeptWhole();
    void listShowsStoreSorted();
    void insertRowReturnsSortedRow_data();
    void insertRowReturnsSortedRow();
    void newButtonAddsConstant();
    void editSelectedRow();
    void editWithoutSelectionOpensNothing();
    void deleteRow_data();
    void deleteRow();
    void contextMenus_data();
    void contextMenus();
    void duplicateNamesLaterRowWins();
    void valuesPassThroughFifteenDigits();
    void okWithPageNeverShownKeepsStore();
    void emptyStoreStaysEmpty();
    void cancelLeavesStoreAndOption();
    void generalPage_data();
    void generalPage();
    void textsFitTheirControls();
    void sheetAndPagesEndInEitherOrder_data();
    void sheetAndPagesEndInEitherOrder();
};

void SettingsTest::editDialogOk_data()
{
    QTest::addColumn<QString>("typedValue");
    QTest::addColumn<QString>("typedName");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<std::string>("name");
    QTest::addColumn<double>("value");

    QTest::newRow("typed lower case becomes capitals") << "3.14"
                                                       << "pi" << QStringList{} << true << std::string("PI") << 3.14;
    QTest::newRow("leading digit") << "1"
                                   << "2pi" << QStringList{kLeadingDigitMessage} << false << std::string("2PI") << 0.0;
    QTest::newRow("leading digit is tested first")
        << "1"
        << "2p_i" << QStringList{kLeadingDigitMessage} << false << std::string("2P_I") << 0.0;
    QTest::newRow("underscore") << "1"
                                << "p_i" << QStringList{kBadCharacterMessage} << false << std::string("P_I") << 0.0;
    QTest::newRow("blank") << "1"
                           << "p i" << QStringList{kBadCharacterMessage} << false << std::string("P I") << 0.0;
    QTest::newRow("japanese") << "1" << QStringLiteral("円") << QStringList{kBadCharacterMessage} << false
                              << utf8ToCp932("円") << 0.0;
    QTest::newRow("exponent with blanks") << " 1e3 "
                                          << "k" << QStringList{} << true << std::string("K") << 1000.0;
    QTest::newRow("negative fraction") << "-.5"
                                       << "h" << QStringList{} << true << std::string("H") << -0.5;
    QTest::newRow("text value refused") << "abc"
                                        << "k" << QStringList{kNumberMessage} << false << std::string("K") << 0.0;
    QTest::newRow("hexadecimal value refused")
        << "0x10"
        << "k" << QStringList{kNumberMessage} << false << std::string("K") << 0.0;
    QTest::newRow("value beyond range refused")
        << "1e999"
        << "k" << QStringList{kNumberMessage} << false << std::string("K") << 0.0;
    QTest::newRow("infinity refused") << "inf"
                                      << "k" << QStringList{kNumberMessage} << false << std::string("K") << 0.0;
    QTest::newRow("empty value refused") << ""
                                         << "k" << QStringList{kNumberMessage} << false << std::string("K") << 0.0;
}

void SettingsTest::editDialogOk()
{
    QFETCH(QString, typedValue);
    QFETCH(QString, typedName);
    QFETCH(QStringList, messages);
    QFETCH(bool, closed);
    QFETCH(std::string, name);
    QFETCH(double, value);

    MessageRecorder recorder;
    CConstEditDlg dialog(nullptr);
    bool openAfterOk = false;
    ModalAnswer answer([&](QWidget* modal) {
        QCOMPARE(modal, &dialog);
        auto* nameEdit = child<QLineEdit>(modal, "nameEdit");
        auto* valueEdit = child<QLineEdit>(modal, "valueEdit");
        // The name first: a bad value would also be reported at each change
        // of the name.
        if (typedName.at(0).unicode() < 0x80)
            QTest::keyClicks(nameEdit, typedName);
        else
            nameEdit->insert(typedName);
        valueEdit->selectAll();
        valueEdit->del();
        QTest::keyClicks(valueEdit, typedValue);
        click(modal, "okButton");
        openAfterOk = modal->isVisible();
        if (openAfterOk)
            click(modal, "cancelButton");
    });
    const int result = dialog.DoModal();

    QCOMPARE(recorder.texts(), messages);
    QCOMPARE(result, closed ? IDOK : IDCANCEL);
    QCOMPARE(openAfterOk, !closed);
    QCOMPARE(dialog.m_strName, name);
    if (closed)
        QCOMPARE(dialog.m_dValue, value);
}

// A value made by an assignment such as X=1e308*10 opens like any other: no
// message before the dialog is on screen or while the name is typed; OK
// checks the value text as it checks every other.
void SettingsTest::specialValueCheckedOnlyOnOk()
{
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& [stored, shown] : {std::pair{inf, "inf"}, {-inf, "-inf"}, {std::nan(""), "nan"}}) {
        MessageRecorder recorder;
        CConstEditDlg dialog(nullptr);
        dialog.m_dValue = stored;
        QString shownValue;
        QStringList messagesBeforeOk;
        ModalAnswer answer([&](QWidget* modal) {
            auto* valueEdit = child<QLineEdit>(modal, "valueEdit");
            shownValue = valueEdit->text();
            QTest::keyClicks(child<QLineEdit>(modal, "nameEdit"), "x");
            messagesBeforeOk = recorder.texts();
            click(modal, "okButton");
            valueEdit->setText(QStringLiteral("2"));
            click(modal, "okButton");
        });
        QCOMPARE(dialog.DoModal(), IDOK);
        QCOMPARE(shownValue, QString::fromLatin1(shown));
        QCOMPARE(messagesBeforeOk, QStringList{});
        QCOMPARE(recorder.texts(), QStringList{kNumberMessage});
        QCOMPARE(dialog.m_dValue, 2.0);
    }
}

void SettingsTest::okButtonFollowsName_data()
{
    QTest::addColumn<std::string>("presetName");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("backspaces");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("new constant") << std::string() << QString() << 0 << false;
    QTest::newRow("one letter typed") << std::string() << "a" << 0 << true;
    QTest::newRow("letter typed and deleted") << std::string() << "a" << 1 << false;
    QTest::newRow("existing constant") << std::string("PI") << QString() << 0 << true;
    QTest::newRow("existing name deleted") << std::string("PI") << QString() << 2 << false;
}

void SettingsTest::okButtonFollowsName()
{
    QFETCH(std::string, presetName);
    QFETCH(QString, keys);
    QFETCH(int, backspaces);
    QFETCH(bool, enabled);

    CConstEditDlg dialog(nullptr);
    dialog.m_strName = presetName;
    bool okEnabled = !enabled;
    ModalAnswer answer([&](QWidget* modal) {
        auto* nameEdit = child<QLineEdit>(modal, "nameEdit");
        nameEdit->end(false);
        QTest::keyClicks(nameEdit, keys);
        for (int i = 0; i < backspaces; ++i)
            QTest::keyClick(nameEdit, Qt::Key_Backspace);
        okEnabled = child<QPushButton>(modal, "okButton")->isEnabled();
        click(modal, "cancelButton");
    });
    QCOMPARE(dialog.DoModal(), IDCANCEL);
    QCOMPARE(okEnabled, enabled);
}

void SettingsTest::storedNameShownInCapitals_data()
{
    QTest::addColumn<std::string>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("assigned lower case") << std::string("x") << "X";
    QTest::newRow("mixed with digits") << std::string("rate2") << "RATE2";
    QTest::newRow("capitals unchanged") << std::string("PI") << "PI";
}

// The name edit turns every letter it is given into a capital, the stored
// name included; OK then takes the capital name.
void SettingsTest::storedNameShownInCapitals()
{
    QFETCH(std::string, stored);
    QFETCH(QString, shown);

    MessageRecorder recorder;
    CConstEditDlg dialog(nullptr);
    dialog.m_strName = stored;
    dialog.m_dValue = 3;
    QString shownName;
    ModalAnswer answer([&](QWidget* modal) {
        shownName = child<QLineEdit>(modal, "nameEdit")->text();
        click(modal, "okButton");
    });
    QCOMPARE(dialog.DoModal(), IDOK);
    QCOMPARE(shownName, shown);
    QCOMPARE(dialog.m_strName, shown.toStdString());
    QCOMPARE(recorder.texts(), QStringList{});
}

void SettingsTest::nameLengthIsLimited()
{
    CConstEditDlg dialog(nullptr);
    ModalAnswer answer([&](QWidget* modal) {
        QTest::keyClicks(child<QLineEdit>(modal, "nameEdit"), QString(256, QLatin1Char('A')));
        click(modal, "okButton");
    });
    QCOMPARE(dialog.DoModal(), IDOK);
    QCOMPARE(dialog.m_strName, std::string(255, 'A'));
}

void SettingsTest::longerStoredTextIsKeptWhole()
{
    const std::string description(300, 'd');
    CConstEditDlg dialog(nullptr);
    dialog.m_strName = "LONG";
    dialog.m_strDescription = description;
    int shownLength = 0;
    ModalAnswer answer([&](QWidget* modal) {
        auto* edit = child<QLineEdit>(modal, "descriptionEdit");
        shownLength = static_cast<int>(edit->text().size());
        edit->end(false);
        QTest::keyClicks(edit, "more");
        click(modal, "okButton");
    });
    QCOMPARE(dialog.DoModal(), IDOK);
    QCOMPARE(shownLength, 300);
    QCOMPARE(dialog.m_strDescription, description);
}

void SettingsTest::listShowsStoreSorted()
{
    Calculator<double> calculator;
    store(calculator, "b", 1);
    store(calculator, "B", 2);
    store(calculator, "a1", 0.5);
    store(calculator, "A", 1.0 / 3, "三分の一");
    calculator.calculate("x=10/4", 0);
    bool noDisplay = false;
    runSettings(calculator, noDisplay, [](const SheetView& view) {
        view.showConstants();
        ListCtrl* list = view.list();
        QCOMPARE(list->headerItem()->text(0), QStringLiteral("変数名"));
        QCOMPARE(list->headerItem()->text(1), QStringLiteral("値"));
        QCOMPARE(list->headerItem()->text(2), QStringLiteral("説明"));
        QCOMPARE(list->columnWidth(0), 100);
        QCOMPARE(list->columnWidth(1), 100);
        QCOMPARE(list->columnWidth(2), 300);
        QCOMPARE(view.names(), (QStringList{"A", "B", "a1", "b", "x"}));
        QCOMPARE(list->GetItemText(0, 1), std::string("0.333333333333333"));
        QCOMPARE(list->GetItemText(0, 2), utf8ToCp932("三分の一"));
        QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("三分の一"));
        QCOMPARE(list->GetItemText(1, 1), std::string("2."));
        QCOMPARE(list->GetItemText(4, 1), std::string("2.5"));
        QCOMPARE(list->GetItemText(4, 2), std::string());
        view.cancel();
    });
}

void SettingsTest::insertRowReturnsSortedRow_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("row");
    QTest::newRow("into empty list") << QStringList{} << "K" << 0;
    QTest::newRow("first") << QStringList{"B", "C"} << "A" << 0;
    QTest::newRow("between") << QStringList{"A", "C"} << "B" << 1;
    QTest::newRow("last") << QStringList{"A", "B"} << "C" << 2;
    QTest::newRow("digits before capitals") << QStringList{"A", "Z"} << "9" << 0;
    QTest::newRow("prefix first") << QStringList{"AB"} << "A" << 0;
    QTest::newRow("after equal names") << QStringList{"A", "B", "C"} << "B" << 2;
    QTest::newRow("capitals before lower case") << QStringList{"a", "b"} << "Z" << 0;
}

void SettingsTest::insertRowReturnsSortedRow()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, name);
    QFETCH(int, row);

    PropertySheet sheet(QStringLiteral("設定"), QStringLiteral("キャンセル"), nullptr, 0);
    CConstPage page;
    sheet.AddPage(&page);
    for (const QString& each : existing)
        page.m_constants[each.toStdString()] = Variable{1, ""};
    ModalAnswer answer([&](QWidget*) {
        CConstEditDlg dialog(nullptr);
        dialog.m_strName = name.toStdString();
        dialog.m_dValue = 42;
        dialog.m_strDescription = utf8ToCp932("新しい");
        const int placed = page.InsertRow(dialog);
        QCOMPARE(placed, row);
        QCOMPARE(page.list()->GetItemText(placed, 0), name.toStdString());
        QCOMPARE(page.list()->GetItemText(placed, 1), std::string("42."));
        QCOMPARE(page.list()->GetItemText(placed, 2), utf8ToCp932("新しい"));
        for (int i = 1; i < page.list()->GetItemCount(); ++i)
            QVERIFY(page.list()->GetItemText(i - 1, 0) <= page.list()->GetItemText(i, 0));
        click(&sheet, "propertySheetCancel");
    });
    QCOMPARE(sheet.DoModal(), IDCANCEL);
}

void SettingsTest::newButtonAddsConstant()
{
    Calculator<double> calculator;
    store(calculator, "A", 1);
    store(calculator, "Z", 26);
    bool noDisplay = false;
    const bool ok = runSettings(calculator, noDisplay, [](const SheetView& view) {
        view.showConstants();
        {
            ModalAnswer edit(fillEditDialog({"g", "9.80665", QStringLiteral("重力加速度")}));
            click(view.constPage(), "newButton");
            QVERIFY(edit.answered());
        }
        {
            ModalAnswer cancelled([](QWidget* dialog) {
                QTest::keyClicks(child<QLineEdit>(dialog, "nameEdit"), "Q");
                click(dialog, "cancelButton");
            });
            click(view.constPage(), "newButton");
            QVERIFY(cancelled.answered());
        }
        QCOMPARE(view.names(), (QStringList{"A", "G", "Z"}));
        view.ok();
    });
    QVERIFY(ok);
    QCOMPARE(storeNames(calculator), (QStringList{"A", "G", "Z"}));
    QCOMPARE(calculator.variables.at("G").value, 9.80665);
    QCOMPARE(calculator.variables.at("G").description, utf8ToCp932("重力加速度"));
    QCOMPARE(calculator.calculate("G*2", 0), std::string("19.6133"));
}

void SettingsTest::editSelectedRow()
{
    Calculator<double> calculator;
    store(calculator, "PI", 3.14159265358979323, "円周率");
    store(calculator, "E", 2.718281828459045);
    bool noDisplay = false;
    runSettings(calculator, noDisplay, [](const SheetView& view) {
        view.showConstants();
        QString shownName;
        QString shownValue;
        QString shownDescription;
        ModalAnswer edit([&](QWidget* dialog) {
            shownName = child<QLineEdit>(dialog, "nameEdit")->text();
            shownValue = child<QLineEdit>(dialog, "valueEdit")->text();
            shownDescription = child<QLineEdit>(dialog, "descriptionEdit")->text();
            fillEditDialog({"A", "1", QString()})(dialog);
        });
        const int row = view.rowOf("PI");
        QTest::mouseClick(view.list()->viewport(), Qt::LeftButton, {}, view.rowCenter(row));
        QTest::mouseDClick(view.list()->viewport(), Qt::LeftButton, {}, view.rowCenter(row));
        QVERIFY(edit.answered());
        QCOMPARE(shownName, QStringLiteral("PI"));
        QCOMPARE(shownValue, QStringLiteral("3.14159265358979"));
        QCOMPARE(shownDescription, QStringLiteral("円周率"));
        QCOMPARE(view.names(), (QStringList{"A", "E"}));
        QCOMPARE(view.list()->GetItemText(0, 1), std::string("1."));
        QCOMPARE(view.list()->topLevelItem(0)->text(2), QStringLiteral("円周率"));
        view.ok();
    });
    QCOMPARE(storeNames(calculator), (QStringList{"A", "E"}));
    QCOMPARE(calculator.variables.at("A").value, 1.0);
    QCOMPARE(calculator.variables.at("A").description, utf8ToCp932("円周率"));
}

void SettingsTest::editWithoutSelectionOpensNothing()
{
    Calculator<double> calculator;
    store(calculator, "PI", 3.14);
    bool noDisplay = false;
    runSettings(calculator, noDisplay, [](const SheetView& view) {
        view.showConstants();
        QTest::mouseClick(view.list()->viewport(), Qt::LeftButton, {}, view.rowCenter(0));
        QCOMPARE(view.constPage()->GetSelectedRow(), 0);
        // A click beside the rows clears the selection, so the double click
        // there finds nothing to edit.
        ModalAnswer unexpected([](QWidget* dialog) { click(dialog, "cancelButton"); });
        QTest::mouseClick(view.list()->viewport(), Qt::LeftButton, {}, view.emptyArea());
        QTest::mouseDClick(view.list()->viewport(), Qt::LeftButton, {}, view.emptyArea());
        QCOMPARE(view.constPage()->GetSelectedRow(), -1);
        view.constPage()->OnCmdMsg(res::ID_CONST_EDIT);
        QVERIFY(!unexpected.answered());
        view.cancel();
    });
}

void SettingsTest::deleteRow_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("times");
    QTest::addColumn<QStringList>("remaining");
    const QStringList all{"A", "B", "C"};
    QTest::newRow("delete key") << "B"
                                << "key" << 1 << QStringList{"A", "C"};
    QTest::newRow("delete button") << "C"
                                   << "button" << 1 << QStringList{"A", "B"};
    QTest::newRow("row menu") << "A"
                              << "menu" << 1 << QStringList{"B", "C"};
    QTest::newRow("delete key without selection") << QString() << "key" << 1 << all;
    QTest::newRow("delete button without selection") << QString() << "button" << 1 << all;
    QTest::newRow("other key") << "B"
                               << "letter" << 1 << all;
    // A deleted row leaves no row selected, so a second press finds nothing.
    QTest::newRow("delete key twice") << "A"
                                      << "key" << 2 << QStringList{"B", "C"};
    QTest::newRow("delete key twice on the last row") << "C"
                                                      << "key" << 2 << QStringList{"A", "B"};
    QTest::newRow("delete button twice") << "B"
                                         << "button" << 2 << QStringList{"A", "C"};
}

void SettingsTest::deleteRow()
{
    QFETCH(QString, selected);
    QFETCH(QString, how);
    QFETCH(int, times);
    QFETCH(QStringList, remaining);
    const QStringList all{"A", "B", "C"};

    Calculator<double> calculator;
    for (const char* name : {"A", "B", "C"})
        store(calculator, name, 1);
    bool noDisplay = false;
    runSettings(calculator, noDisplay, [&](const SheetView& view) {
        view.showConstants();
        ListCtrl* list = view.list();
        if (!selected.isEmpty())
            list->SelectItem(view.rowOf(selected.toStdString()));
        for (int i = 0; i < times; ++i) {
            if (how == QLatin1String("key")) {
                QTest::keyClick(list, Qt::Key_Delete);
            } else if (how == QLatin1String("letter")) {
                QTest::keyClick(list, Qt::Key_X);
            } else if (how == QLatin1String("button")) {
                click(view.constPage(), "deleteButton");
            } else {
                ScopedPopupMenuHook chooseDelete([](QMenu&, const QPoint&) { return res::ID_CONST_DELETE; });
                const int row = view.rowOf(selected.toStdString());
                QTest::mouseClick(list->viewport(), Qt::RightButton, {}, view.rowCenter(row));
            }
        }
        QCOMPARE(view.names(), remaining);
        if (remaining != all)
            QCOMPARE(view.constPage()->GetSelectedRow(), -1);
        view.ok();
    });
    QCOMPARE(storeNames(calculator), remaining);
}

void SettingsTest::contextMenus_data()
{
    QTest::addColumn<QString>("preselected");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QList<int>>("commands");
    QTest::addColumn<int>("defaultCommand");
    QTest::addColumn<int>("selectedRow");
    const QList<int> rowMenu{res::ID_CONST_EDIT, res::ID_CONST_DELETE};
    QTest::newRow("row") << QString() << "B" << rowMenu << res::ID_CONST_EDIT << 1;
    QTest::newRow("row replaces selection") << "A"
                                            << "C" << rowMenu << res::ID_CONST_EDIT << 2;
    QTest::newRow("empty area") << QString() << QString() << QList<int>{res::ID_CONST_NEW} << 0 << -1;
    QTest::newRow("empty area clears selection") << "B" << QString() << QList<int>{res::ID_CONST_NEW} << 0 << -1;
}

void SettingsTest::contextMenus()
{
    QFETCH(QString, preselected);
    QFETCH(QString, target);
    QFETCH(QList<int>, commands);
    QFETCH(int, defaultCommand);
    QFETCH(int, selectedRow);

    Calculator<double> calculator;
    for (const char* name : {"A", "B", "C"})
        store(calculator, name, 1);
    bool noDisplay = false;
    runSettings(calculator, noDisplay, [&](const SheetView& view) {
        view.showConstants();
        if (!preselected.isEmpty())
            view.list()->SelectItem(view.rowOf(preselected.toStdString()));
        QList<int> shown;
        QStringList texts;
        QStringList statusTexts;
        int shownDefault = -1;
        ScopedPopupMenuHook hook([&](QMenu& menu, const QPoint&) {
            for (const QAction* action : menu.actions()) {
                shown << commandOf(action);
                texts << action->text();
                statusTexts << action->statusTip();
            }
            // The style draws the default item in bold.
            shownDefault = commandOf(menu.defaultAction());
            return 0;
        });
        const QPoint at = target.isEmpty() ? view.emptyArea() : view.rowCenter(view.rowOf(target.toStdString()));
        QTest::mouseClick(view.list()->viewport(), Qt::RightButton, {}, at);
        QCOMPARE(shown, commands);
        QCOMPARE(shownDefault, defaultCommand);
        QCOMPARE(view.constPage()->GetSelectedRow(), selectedRow);
        if (target.isEmpty()) {
            QCOMPARE(texts, QStringList{QStringLiteral("新規作成(&N)")});
            QCOMPARE(statusTexts, QStringList{QStringLiteral("定数を作成")});
        } else {
            QCOMPARE(texts, (QStringList{QStringLiteral("編集(&E)"), QStringLiteral("削除(&D)")}));
            QCOMPARE(statusTexts, (QStringList{QStringLiteral("定数を編集"), QStringLiteral("定数を削除")}));
        }
        view.cancel();
    });
}

void SettingsTest::duplicateNamesLaterRowWins()
{
    Calculator<double> calculator;
    store(calculator, "PI", 3.14159, "古い値");
    bool noDisplay = false;
    runSettings(calculator, noDisplay, [](const SheetView& view) {
        view.showConstants();
        ModalAnswer edit(fillEditDialog({"PI", "3", QStringLiteral("新しい値")}));
        click(view.constPage(), "newButton");
        QCOMPARE(view.names(), (QStringList{"PI", "PI"}));
        QCOMPARE(view.list()->GetItemText(1, 1), std::string("3."));
        view.ok();
    });
    QCOMPARE(calculator.variables.size(), std::size_t{1});
    QCOMPARE(calculator.variables.at("PI").value, 3.0);
    QCOMPARE(calculator.variables.at("PI").description, utf8ToCp932("新しい値"));
}

void SettingsTest::valuesPassThroughFifteenDigits()
{
    Calculator<double> calculator;
    calculator.calculate("x=1/3", 0);
    store(calculator, "PI", 3.14159265358979323);
    store(calculator, "HUGE", std::numeric_limits<double>::infinity());
    bool noDisplay = false;
    QVERIFY(runSettings(calculator, noDisplay, [](const SheetView& view) {
        view.showConstants();
        view.ok();
    }));
    const double third = calculator.variables.at("x").value;
    QCOMPARE(third, std::strtod("0.333333333333333", nullptr));
    QVERIFY(third != 1.0 / 3);
    QCOMPARE(calculator.variables.at("PI").value, std::strtod("3.14159265358979", nullptr));
    QVERIFY(std::isinf(calculator.variables.at("HUGE").value));
    QCOMPARE(calculator.calculate("x*3", 0), std::string("0.999999999999999"));
}

void SettingsTest::okWithPageNeverShownKeepsStore()
{
    Calculator<double> calculator;
    calculator.calculate("x=1/3", 0);
    store(calculator, "PI", 3.14159265358979323, "円周率");
    bool noDisplay = true;
    QVERIFY(runSettings(calculator, noDisplay, [](const SheetView& view) { view.ok(); }));
    QCOMPARE(storeNames(calculator), (QStringList{"PI", "x"}));
    QCOMPARE(calculator.variables.at("x").value, 1.0 / 3);
    QCOMPARE(calculator.variables.at("PI").value, 3.14159265358979323);
    QCOMPARE(calculator.variables.at("PI").description, utf8ToCp932("円周率"));
    QVERIFY(noDisplay);
}

void SettingsTest::emptyStoreStaysEmpty()
{
    Calculator<double> calculator;
    bool noDisplay = false;
    QVERIFY(runSettings(calculator, noDisplay, [](const SheetView& view) {
        view.showConstants();
        QCOMPARE(view.list()->GetItemCount(), 0);
        view.ok();
    }));
    QVERIFY(calculator.variables.empty());
}

void SettingsTest::cancelLeavesStoreAndOption()
{
    Calculator<double> calculator;
    calculator.calculate("x=1/3", 0);
    store(calculator, "PI", 3.14, "円周率");
    bool noDisplay = false;
    const bool ok = runSettings(calculator, noDisplay, [](const SheetView& view) {
        view.noDisplay()->click();
        view.showConstants();
        view.list()->SelectItem(0);
        QTest::keyClick(view.list(), Qt::Key_Delete);
        ModalAnswer edit(fillEditDialog({"NEW", "5", QString()}));
        click(view.constPage(), "newButton");
        QCOMPARE(view.names(), (QStringList{"NEW", "x"}));
        view.cancel();
    });
    QVERIFY(!ok);
    QVERIFY(!noDisplay);
    QCOMPARE(storeNames(calculator), (QStringList{"PI", "x"}));
    QCOMPARE(calculator.variables.at("x").value, 1.0 / 3);
    QCOMPARE(calculator.variables.at("PI").description, utf8ToCp932("円周率"));
}

void SettingsTest::generalPage_data()
{
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("toggle");
    QTest::addColumn<bool>("switchTab");
    QTest::addColumn<bool>("pressOk");
    QTest::addColumn<bool>("after");
    QTest::newRow("shown unticked, OK") << false << false << false << true << false;
    QTest::newRow("shown ticked, OK") << true << false << false << true << true;
    QTest::newRow("tick, OK") << false << true << false << true << true;
    QTest::newRow("untick, OK") << true << true << false << true << false;
    QTest::newRow("tick, other page, OK") << false << true << true << true << true;
    QTest::newRow("tick, Cancel") << false << true << false << false << false;
    QTest::newRow("untick, other page, Cancel") << true << true << true << false << true;
}

void SettingsTest::generalPage()
{
    QFETCH(bool, before);
    QFETCH(bool, toggle);
    QFETCH(bool, switchTab);
    QFETCH(bool, pressOk);
    QFETCH(bool, after);

    Calculator<double> calculator;
    bool noDisplay = before;
    bool shownTicked = !before;
    const bool ok = runSettings(calculator, noDisplay, [&](const SheetView& view) {
        QCOMPARE(view.tabs()->currentIndex(), 0);
        QCOMPARE(view.tabs()->tabText(0), QStringLiteral("基本設定"));
        QCOMPARE(view.tabs()->tabText(1), QStringLiteral("変数"));
        shownTicked = view.noDisplay()->isChecked();
        if (toggle)
            view.noDisplay()->click();
        if (switchTab)
            view.showConstants();
        if (pressOk)
            view.ok();
        else
            view.cancel();
    });
    QCOMPARE(shownTicked, before);
    QCOMPARE(ok, pressOk);
    QCOMPARE(noDisplay, after);
}

void SettingsTest::textsFitTheirControls()
{
    CConstEditDlg dialog(nullptr);
    CGeneralPage generalPage;
    CConstPage constPage;
    for (QWidget* window : std::vector<QWidget*>{&dialog, &generalPage, &constPage}) {
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            const int needed = label->fontMetrics().horizontalAdvance(label->text());
            QVERIFY2(needed <= label->width(), qPrintable(label->text()));
            QVERIFY2(label->fontMetrics().height() <= label->height(), qPrintable(label->text()));
        }
        for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
            // A check box also needs room for its box.
            const int box = qobject_cast<const QCheckBox*>(button) ? button->height() : 0;
            const int needed = button->fontMetrics().horizontalAdvance(withoutMnemonic(button->text()));
            QVERIFY2(needed + box <= button->width(), qPrintable(button->text()));
        }
    }
}

void SettingsTest::sheetAndPagesEndInEitherOrder_data()
{
    QTest::addColumn<bool>("sheetFirst");
    QTest::newRow("pages first") << false;
    QTest::newRow("sheet first") << true;
}

void SettingsTest::sheetAndPagesEndInEitherOrder()
{
    QFETCH(bool, sheetFirst);
    auto sheet = std::make_unique<PropertySheet>(QStringLiteral("設定"), QStringLiteral("キャンセル"));
    auto generalPage = std::make_unique<CGeneralPage>();
    auto constPage = std::make_unique<CConstPage>();
    sheet->AddPage(generalPage.get());
    sheet->AddPage(constPage.get());
    QPointer<QTabWidget> tabs = child<QTabWidget>(sheet.get(), "propertySheetTabs");
    if (sheetFirst) {
        sheet.reset();
        QVERIFY(!generalPage->parent());
        QCOMPARE(constPage->title(), QStringLiteral("変数"));
    } else {
        constPage.reset();
        QCOMPARE(tabs->count(), 1);
        generalPage.reset();
        QCOMPARE(tabs->count(), 0);
        QCOMPARE(sheet->DoModal(), IDCANCEL);
    }
}

void SettingsTest::storedHotKey_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("key");
    QTest::newRow("absent") << QString() << "Ctrl+Shift+C";
    QTest::newRow("changed") << "Ctrl+Alt+K"
                             << "Ctrl+Alt+K";
    QTest::newRow("meta_function_key") << "Meta+F12"
                                       << "Meta+F12";
    QTest::newRow("cleared_is_none") << ""
                                     << "";
    QTest::newRow("unreadable") << "Ctrl+Nonsense"
                                << "Ctrl+Shift+C";
    QTest::newRow("plain_key") << "K"
                               << "Ctrl+Shift+C";
    QTest::newRow("shift_only") << "Shift+K"
                                << "Ctrl+Shift+C";
    QTest::newRow("two_chords") << "Ctrl+K, Ctrl+C"
                                << "Ctrl+Shift+C";
}

void SettingsTest::storedHotKey()
{
    QFETCH(QString, stored);
    QFETCH(QString, key);
    QCOMPARE(hotKeyFromText(stored), QKeySequence(key));
    QCOMPARE(hotKeyToText(hotKeyFromText(stored)), key);
}

void SettingsTest::hotKeyField_data()
{
    // Keys pressed in the field, OK (o), Cancel (c) or the other tab (t).
    QTest::addColumn<QString>("steps");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("key");        // held and stored once the sheet has closed
    QTest::addColumn<QString>("lastState");  // the text under the field before it closed
    const QString taken = QStringLiteral("このキーは他のプログラムが使用中です。");
    QTest::newRow("ok_takes_new_key") << "Ctrl+Alt+K o" << true << "Ctrl+Alt+K"
                                      << "";
    QTest::newRow("cancel_gives_old_key_back") << "Ctrl+Alt+K t c" << false << "Ctrl+Shift+C"
                                               << "";
    QTest::newRow("taken_key_reported_then_kept") << "Ctrl+Alt+T o o" << true << "Ctrl+Alt+T" << taken;
    QTest::newRow("taken_key_then_another") << "Ctrl+Alt+T o Alt+F5 o" << true << "Alt+F5"
                                            << "";
    QTest::newRow("plain_key_refused") << "K o c" << false << "Ctrl+Shift+C"
                                       << "Ctrl、Alt、Meta のどれかと組み合わせたキーを押してください。";
    const QString strip = QStringLiteral("このキーは電卓のウィンドウが使用中です。別のキーを押してください。");
    for (const char* key :
         {"Ctrl+Shift+H", "Ctrl+Alt+Shift+H", "Ctrl+H", "Ctrl+Return", "Ctrl+V", "Ctrl+Z", "Ctrl+Shift+Z", "Ctrl+A",
          "Ctrl+Insert", "Alt+Backspace", "Alt+F4", "Ctrl+Left", "Alt+Down"})
        QTest::addRow("strip_key_%s_refused", key)
            << QString::fromLatin1(key) + " o c" << false << "Ctrl+Shift+C" << strip;
    QTest::newRow("strip_free_ctrl_alt_h") << "Ctrl+Alt+H o" << true << "Ctrl+Alt+H"
                                           << "";
}

void SettingsTest::hotKeyField()
{
    QFETCH(QString, steps);
    QFETCH(bool, accepted);
    QFETCH(QString, key);
    QFETCH(QString, lastState);
    FakeHotKey hotKey(QKeySequence(QStringLiteral("Ctrl+Alt+T")));
    hotKey.setKey(defaultHotKey());
    GeneralSettings general{false, defaultHotKey()};
    Calculator<double> calculator;
    QString stateSeen;
    ModalAnswer answer([&](QWidget* sheet) {
        const SheetView view{sheet};
        for (const QString& step : steps.split(QLatin1Char(' '))) {
            if (step == QLatin1String("o") || step == QLatin1String("c"))
                step == QLatin1String("o") ? view.ok() : view.cancel();
            else if (step == QLatin1String("t"))
                view.showConstants();
            else
                QTest::keyClick(view.hotKey(), QKeySequence(step)[0].key(), QKeySequence(step)[0].keyboardModifiers());
            if (sheet->isVisible())
                stateSeen = view.hotKeyState();
        }
    });
    QCOMPARE(runSettingsSheet(nullptr, calculator, general, &hotKey), accepted);
    QCOMPARE(hotKey.key(), QKeySequence(key));
    QCOMPARE(general.hotKey, QKeySequence(key));
    QCOMPARE(stateSeen, lastState);
}

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
