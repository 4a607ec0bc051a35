#include "window/clipboardtext.h"
#include "engine/myexception.h"
#include "tests/window/orrinharness.h"
#include "framework/popupmenu.h"
#include "res/resource.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QtTest>

namespace {

// A text whose writing always finds no memory, as an exhausted system would.
class NoMemoryText : public ClipboardText {
public:
    void WriteTo(QMimeData*) override
    {
        throw memory_error("\x83\x81\x83\x82\x83\x8A\x83\x47\x83\x89\x81\x5B\x81\x42");
    }
};

QStringList historyOf(const QComboBox& box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

}  // namespace

class TesselViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OrrinHarness> m_harness;
    CTesselView* m_view = nullptr;
    CEntryComboBox* m_box = nullptr;

    QLabel* grip() const { return m_view->findChild<QLabel*>(QStringLiteral("grip")); }

    void typeAndPress(const QString& text, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        m_box->setEditText(QString());
        QTest::keyClicks(m_box, text);
        QTest::keyClick(m_box, key, modifiers);
        QCoreApplication::sendPostedEvents();
    }

private slots:
    void init()
    {
        OrrinHarness::clearProfile();
        m_harness = std::make_unique<OrrinHarness>();
        QVERIFY(m_harness->start());
        m_view = m_harness->view();
        QVERIFY(m_view);
        m_box = m_harness->entryBox();
        m_harness->frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_harness->frame()));
        m_box->setFocus();
    }

    void cleanup()
    {
        m_harness.reset();
        m_view = nullptr;
        m_box = nullptr;
    }

    void evaluationShowsLineAndHistory_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("line");

        const int none = Qt::NoModifier;
        QTest::newRow("enter_decimal") << "1+2" << int(Qt::Key_Return) << none << "1+2 : 3";
        QTest::newRow("keypad_enter") << "2*(3+4)" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "2*(3+4) : 14";
        QTest::newRow("shift_enter") << "2*3" << int(Qt::Key_Return) << int(Qt::ShiftModifier) << "2*3 : 6";
        QTest::newRow("ctrl_enter") << "2*3" << int(Qt::Key_Return) << int(Qt::ControlModifier) << "2*3 : 6";
        QTest::newRow("ctrl_shift_h_hex")
            << "255" << int(Qt::Key_H) << int(Qt::ControlModifier | Qt::ShiftModifier) << "255 : 0xff";
        QTest::newRow("cut_at_separator") << "12 : 34" << int(Qt::Key_Return) << none << "12 : 12";
        QTest::newRow("cut_at_first_separator") << "5 : 6 : 7" << int(Qt::Key_Return) << none << "5 : 5";
        QTest::newRow("separator_first") << " : x" << int(Qt::Key_Return) << none << " : Syntax error.";
        QTest::newRow("leading_blank") << " 1+2" << int(Qt::Key_Return) << none << " 1+2 : Syntax error.";
        QTest::newRow("division_by_zero") << "1/0" << int(Qt::Key_Return) << none << "1/0 : Division by zero.";
        QTest::newRow("assignment") << "x=4" << int(Qt::Key_Return) << none << "x=4 : 4";
    }

    void evaluationShowsLineAndHistory()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, line);

        typeAndPress(typed, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QCOMPARE(m_box->currentText(), line);
        QCOMPARE(historyOf(*m_box), QStringList{line});
        QCOMPARE(m_box->lineEdit()->selectedText(), line);
    }

    void emptyBoxChangesNothing()
    {
        typeAndPress(QString(), Qt::Key_Return);
        QCOMPARE(m_box->count(), 0);
        QCOMPARE(m_box->currentText(), QString());
    }

    void keyFilter_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("consumed");
        QTest::addColumn<QString>("topLine");

        QTest::newRow("enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << true << "12 : 12";
        QTest::newRow("ctrl_shift_enter")
            << int(Qt::Key_Return) << int(Qt::ControlModifier | Qt::ShiftModifier) << true << "12 : 12";
        QTest::newRow("ctrl_shift_h") << int(Qt::Key_H) << int(Qt::ControlModifier | Qt::ShiftModifier) << true
                                      << "12 : 0xc";
        QTest::newRow("ctrl_alt_shift_h")
            << int(Qt::Key_H) << int(Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier) << true << "12 : 0xc";
        QTest::newRow("ctrl_h") << int(Qt::Key_H) << int(Qt::ControlModifier) << false << QString();
        QTest::newRow("shift_h") << int(Qt::Key_H) << int(Qt::ShiftModifier) << false << QString();
        QTest::newRow("plain_h") << int(Qt::Key_H) << int(Qt::NoModifier) << false << QString();
        QTest::newRow("alt_enter_is_a_system_key") << int(Qt::Key_Return) << int(Qt::AltModifier) << false << QString();
    }

    void keyFilter()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, consumed);
        QFETCH(QString, topLine);

        m_box->setEditText(QStringLiteral("12"));
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_box->PreTranslateMessage(&press), consumed);
        // The request is posted: nothing is evaluated before the event loop runs.
        QCOMPARE(m_box->count(), 0);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(m_box->count() > 0 ? m_box->itemText(0) : QString(), topLine);
    }

    void keysAfterEnterWaitForEvaluation_data()
    {
        // Steps in braces are key combinations, the others typed text. No
        // step lets the event loop run: the keys follow as fast as a window
        // system delivers what was typed ahead.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("history");
        QTest::addColumn<QString>("clipboard");

        QTest::newRow("typing_after_enter")
            << QStringList{"1+2", "{Return}", "3*4", "{Return}"} << QStringList{"3*4 : 12", "1+2 : 3"} << QString();
        QTest::newRow("typing_after_hex") << QStringList{"255", "{Ctrl+Shift+H}", "16", "{Return}"}
                                          << QStringList{"16 : 16", "255 : 0xff"} << QString();
        QTest::newRow("enter_twice") << QStringList{"5*5", "{Return}", "{Return}"}
                                     << QStringList{"5*5 : 25", "5*5 : 25"} << QString();
        QTest::newRow("typing_replaces_selected_line")
            << QStringList{"1+2", "{Return}", "7", "{Return}"} << QStringList{"7 : 7", "1+2 : 3"} << QString();
        QTest::newRow("typed_behind_separator_dropped") << QStringList{"1+2", "{Return}", "{End}", "*5", "{Return}"}
                                                        << QStringList{"1+2 : 3", "1+2 : 3"} << QString();
        QTest::newRow("copy_after_enter")
            << QStringList{"6*7", "{Return}", "{Ctrl+C}"} << QStringList{"6*7 : 42"} << QStringLiteral("6*7 : 42");
    }

    void keysAfterEnterWaitForEvaluation()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, history);
        QFETCH(QString, clipboard);

        QGuiApplication::clipboard()->clear();
        for (const QString& step : std::as_const(steps)) {
            if (!step.startsWith(QLatin1Char('{'))) {
                QTest::keyClicks(m_box, step);
                continue;
            }
            const QKeyCombination key = QKeySequence(step.mid(1, step.size() - 2))[0];
            QTest::keyClick(m_box, key.key(), key.keyboardModifiers());
        }
        QCoreApplication::sendPostedEvents();
        QCOMPARE(historyOf(*m_box), history);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    }

    void hKeysInTheEditField_data()
    {
        // The H keys the filter lets through act as in any one-line edit
        // field: Ctrl+H is its backspace.
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("after");

        QTest::newRow("plain_h") << int(Qt::NoModifier) << "0x1h";
        QTest::newRow("shift_h") << int(Qt::ShiftModifier) << "0x1H";
        QTest::newRow("ctrl_h_is_backspace") << int(Qt::ControlModifier) << "0x";
        QTest::newRow("ctrl_alt_h_types_nothing") << int(Qt::ControlModifier | Qt::AltModifier) << "0x1";
    }

    void hKeysInTheEditField()
    {
        QFETCH(int, modifiers);
        QFETCH(QString, after);

        QTest::keyClicks(m_box, QStringLiteral("0x1"));
        const Qt::KeyboardModifiers held(modifiers);
        const QString text = held & (Qt::ControlModifier | Qt::AltModifier)
            ? QString()
            : QString(held & Qt::ShiftModifier ? QLatin1Char('H') : QLatin1Char('h'));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_H, held, text);
        QCoreApplication::sendEvent(m_box, &press);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(m_box->currentText(), after);
        QCOMPARE(m_view->entryText(), after.toStdString());
        QCOMPARE(m_box->count(), 0);
    }

    void historyIsNewestFirstAndKeepsOldLines()
    {
        typeAndPress(QStringLiteral("1+1"), Qt::Key_Return);
        typeAndPress(QStringLiteral("2+2"), Qt::Key_Return);
        QCOMPARE(historyOf(*m_box), (QStringList{"2+2 : 4", "1+1 : 2"}));

        // A line picked from the list evaluates its expression part again.
        m_box->setCurrentIndex(1);
        QTest::keyClick(m_box, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        QTest::keyClick(m_box, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(historyOf(*m_box), (QStringList{"1+1 : 2", "1+1 : 2", "2+2 : 4", "1+1 : 2"}));
    }

    void typingAfterEvaluationReplacesLine()
    {
        typeAndPress(QStringLiteral("1+2"), Qt::Key_Return);
        QTest::keyClicks(m_box, QStringLiteral("7"));
        QCOMPARE(m_box->currentText(), QStringLiteral("7"));
        QTest::keyClick(m_box, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(m_box->itemText(0), QStringLiteral("7 : 7"));
    }

    void lengthWarning_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("warnings");
        QTest::newRow("255_characters") << 255 << 0;
        QTest::newRow("256_characters") << 256 << 1;
        QTest::newRow("258_characters") << 258 << 3;
    }

    void lengthWarning()
    {
        QFETCH(int, length);
        QFETCH(int, warnings);

        m_box->setEditText(QString(250, QLatin1Char('1')));
        QTest::keyClicks(m_box, QString(length - 250, QLatin1Char('1')));
        QCOMPARE(m_harness->messages.size(), warnings);
        for (const QString& message : std::as_const(m_harness->messages))
            QVERIFY2(message.contains(QStringLiteral("255")), qPrintable(message));
        // The long text stays and is still evaluated.
        QCOMPARE(m_box->currentText().size(), length);
        QTest::keyClick(m_box, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(m_box->count(), 1);
        QVERIFY(m_box->itemText(0).startsWith(QString(length, QLatin1Char('1')) + QStringLiteral(" : ")));
    }

    void hotKeyReplacesClipboard_data()
    {
        QTest::addColumn<QString>("clipboardText");
        QTest::addColumn<QString>("result");

        QTest::newRow("sum") << "1+2"
                             << "3";
        QTest::newRow("division_by_zero") << "1/0"
                                          << "Division by zero.";
        QTest::newRow("trailing_line_break") << "1+2\n"
                                             << "Syntax error.";
        QTest::newRow("history_line_whole") << "1+2 : 3"
                                            << "Syntax error.";
        QTest::newRow("empty_text") << ""
                                    << "Syntax error.";
        QTest::newRow("text_after_nul_ignored") << QString::fromUtf8("6*7\0junk", 8) << "42";
        QTest::newRow("hexadecimal_literal_decimal_result") << "0x10"
                                                            << "16";
    }

    void hotKeyReplacesClipboard()
    {
        QFETCH(QString, clipboardText);
        QFETCH(QString, result);

        typeAndPress(QStringLiteral("5"), Qt::Key_Return);
        QGuiApplication::clipboard()->setText(clipboardText);
        m_view->OnHotKey();
        QCOMPARE(QGuiApplication::clipboard()->text(), result);
        // The entry box and its history are untouched.
        QCOMPARE(m_box->currentText(), QStringLiteral("5 : 5"));
        QCOMPARE(m_box->count(), 1);
        QVERIFY(m_harness->messages.isEmpty());
    }

    void hotKeyOnPictureGivesSyntaxError()
    {
        auto* picture = new QMimeData;
        picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
        QGuiApplication::clipboard()->setMimeData(picture);
        m_view->OnHotKey();
        const QMimeData* now = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(now->text(), QStringLiteral("Syntax error."));
        QVERIFY(!now->hasImage());
    }

    void hotKeyTwiceEvaluatesResultAgain()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("x=2*3"));
        m_view->OnHotKey();
        m_view->OnHotKey();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("6"));
        QCOMPARE(m_view->calculator().variables.at("x").value, 6.0);
    }

    void hotKeyWithoutMemoryKeepsClipboardAndRuns()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("1+2"));
        NoMemoryText text;
        m_view->ExchangeClipboard(text);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1+2"));
        QCOMPARE(m_harness->messages, QStringList{QStringLiteral("メモリエラー。")});
    }

    void clipboardTextConvertsJapanese()
    {
        // "円" is 0x89 0x7E in code page 932.
        auto* data = new QMimeData;
        data->setText(QStringLiteral("円"));
        ClipboardText text;
        text.ReadFrom(data);
        QCOMPARE(text.m_text, std::string("\x89\x7E"));
        QMimeData written;
        text.WriteTo(&written);
        QCOMPARE(written.text(), QStringLiteral("円"));
        delete data;
    }

    void editKeys_data()
    {
        QTest::addColumn<int>("copyKey");
        QTest::addColumn<int>("copyModifiers");
        QTest::addColumn<int>("pasteKey");
        QTest::addColumn<int>("pasteModifiers");
        QTest::addColumn<bool>("cut");

        QTest::newRow("ctrl_c_ctrl_v") << int(Qt::Key_C) << int(Qt::ControlModifier) << int(Qt::Key_V)
                                       << int(Qt::ControlModifier) << false;
        QTest::newRow("ctrl_insert_shift_insert") << int(Qt::Key_Insert) << int(Qt::ControlModifier)
                                                  << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << false;
        QTest::newRow("ctrl_x") << int(Qt::Key_X) << int(Qt::ControlModifier) << int(Qt::Key_V)
                                << int(Qt::ControlModifier) << true;
        QTest::newRow("shift_delete") << int(Qt::Key_Delete) << int(Qt::ShiftModifier) << int(Qt::Key_Insert)
                                      << int(Qt::ShiftModifier) << true;
    }

    void editKeys()
    {
        QFETCH(int, copyKey);
        QFETCH(int, copyModifiers);
        QFETCH(int, pasteKey);
        QFETCH(int, pasteModifiers);
        QFETCH(bool, cut);

        typeAndPress(QStringLiteral("1+2"), Qt::Key_Return);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(m_box, Qt::Key(copyKey), Qt::KeyboardModifiers(copyModifiers));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1+2 : 3"));
        QCOMPARE(m_box->currentText(), cut ? QString() : QStringLiteral("1+2 : 3"));

        QTest::keyClick(m_box, Qt::Key_End);
        QTest::keyClick(m_box, Qt::Key(pasteKey), Qt::KeyboardModifiers(pasteModifiers));
        QCOMPARE(m_box->currentText(), cut ? QStringLiteral("1+2 : 3") : QStringLiteral("1+2 : 31+2 : 3"));
    }

    void pasteTakesOneLine_data()
    {
        // The box is one line: pasted text ends at its first line break or
        // NUL, wherever it is pasted from. `before` marks the caret with |.
        QTest::addColumn<QString>("clipboardText");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("fromEditMenu");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("line");

        QTest::newRow("plain") << "6*7"
                               << "|" << false << "6*7"
                               << "6*7 : 42";
        QTest::newRow("trailing_line_break") << "1+2\n"
                                             << "|" << false << "1+2"
                                             << "1+2 : 3";
        QTest::newRow("crlf_and_more_lines") << "1+2\r\nfoo\nbar"
                                             << "|" << false << "1+2"
                                             << "1+2 : 3";
        QTest::newRow("carriage_return") << "4*4\rx"
                                         << "|" << false << "4*4"
                                         << "4*4 : 16";
        QTest::newRow("nul") << QString::fromUtf8("6*7\0junk", 8) << "|" << false << "6*7"
                             << "6*7 : 42";
        QTest::newRow("into_the_middle") << "+2\n9"
                                         << "1|*3" << false << "1+2*3"
                                         << "1+2*3 : 7";
        QTest::newRow("line_break_first") << "\n5"
                                          << "7|" << false << "7"
                                          << "7 : 7";
        QTest::newRow("tab_kept") << "1\t+2"
                                  << "|" << false << "1\t+2"
                                  << "1\t+2 : 3";
        QTest::newRow("edit_menu_paste") << "8-3\n"
                                         << "|" << true << "8-3"
                                         << "8-3 : 5";
    }

    void pasteTakesOneLine()
    {
        QFETCH(QString, clipboardText);
        QFETCH(QString, before);
        QFETCH(bool, fromEditMenu);
        QFETCH(QString, after);
        QFETCH(QString, line);

        const qsizetype caret = before.indexOf(QLatin1Char('|'));
        m_box->setEditText(QString(before).remove(caret, 1));
        m_box->lineEdit()->setCursorPosition(int(caret));
        QGuiApplication::clipboard()->setText(clipboardText);
        if (fromEditMenu)
            m_box->lineEdit()->paste();
        else
            QTest::keyClick(m_box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_box->currentText(), after);
        QCOMPARE(m_view->entryText(), after.toStdString());

        QTest::keyClick(m_box, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(m_box->itemText(0), line);
    }

    void undoKeysUndoTyping_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("key");
        QTest::newRow("ctrl_z") << int(Qt::ControlModifier) << int(Qt::Key_Z);
        QTest::newRow("alt_backspace") << int(Qt::AltModifier) << int(Qt::Key_Backspace);
    }

    void undoKeysUndoTyping()
    {
        QFETCH(int, modifiers);
        QFETCH(int, key);
        QTest::keyClicks(m_box, QStringLiteral("abc"));
        QTest::keyClick(m_box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_box->currentText(), QString());
    }

    void altF4Hides()
    {
        QTest::keyClick(m_box, Qt::Key_F4, Qt::AltModifier);
        QVERIFY(!m_harness->frame()->isVisible());
        QVERIFY(m_harness->app);  // still running
    }

    void layoutFollowsWidth_data()
    {
        QTest::addColumn<int>("frameWidth");
        QTest::newRow("default") << 300;
        QTest::newRow("wider") << 520;
        QTest::newRow("narrower") << 120;
    }

    void layoutFollowsWidth()
    {
        QFETCH(int, frameWidth);
        CMainFrame* frame = m_harness->frame();
        frame->resize(frameWidth, frame->height());
        const int border = CMainFrame::border;
        QCOMPARE(m_view->geometry(), QRect(border, border, frameWidth - 2 * border, 30 - 2 * border));
        QCOMPARE(m_box->geometry(), QRect(19, 0, m_view->width() - 19, m_view->height()));
        QCOMPARE(grip()->geometry(), QRect(0, 0, 19, 19));
        QCOMPARE(frame->height(), 30);
    }

    void dragByGrip_data()
    {
        // The pointer's path is given in view coordinates as they were at the
        // press. With `stale` set, each move's position within the view is
        // measured against where the window was at the press, as the window
        // system reports moves queued before the window's last move arrived.
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QList<QPoint>>("path");
        QTest::addColumn<bool>("stale");
        QTest::addColumn<bool>("buttonHeld");
        QTest::addColumn<QPoint>("shift");

        QTest::newRow("drag_on_grip") << QPoint(5, 5) << QList<QPoint>{{25, 15}} << false << true << QPoint(20, 10);
        QTest::newRow("drag_in_steps") << QPoint(5, 5) << QList<QPoint>{{15, 8}, {25, 15}, {-5, 40}} << false << true
                                       << QPoint(-10, 35);
        QTest::newRow("quick_drag_reported_late")
            << QPoint(5, 5) << QList<QPoint>{{15, 8}, {25, 15}, {-5, 40}} << true << true << QPoint(-10, 35);
        QTest::newRow("drag_below_grip_in_band")
            << QPoint(18, 20) << QList<QPoint>{{8, 21}} << false << true << QPoint(-10, 1);
        QTest::newRow("press_without_move") << QPoint(5, 5) << QList<QPoint>{{5, 5}} << false << true << QPoint(0, 0);
        QTest::newRow("press_right_of_band")
            << QPoint(19, 20) << QList<QPoint>{{40, 30}} << false << true << QPoint(0, 0);
        QTest::newRow("move_without_button")
            << QPoint(5, 5) << QList<QPoint>{{40, 40}} << false << false << QPoint(0, 0);
    }

    void dragByGrip()
    {
        QFETCH(QPoint, press);
        QFETCH(QList<QPoint>, path);
        QFETCH(bool, stale);
        QFETCH(bool, buttonHeld);
        QFETCH(QPoint, shift);

        CMainFrame* frame = m_harness->frame();
        const QRect before = frame->geometry();
        const QPoint origin = m_view->mapToGlobal(QPoint(0, 0));
        if (buttonHeld) {
            QMouseEvent down(QEvent::MouseButtonPress, press, origin + press, Qt::LeftButton, Qt::LeftButton,
                             Qt::NoModifier);
            QCoreApplication::sendEvent(m_view, &down);
        }
        const Qt::MouseButtons held = buttonHeld ? Qt::LeftButton : Qt::NoButton;
        QPoint global = origin + press;
        for (const QPoint& point : std::as_const(path)) {
            global = origin + point;
            const QPoint local = stale ? point : m_view->mapFromGlobal(global);
            QMouseEvent move(QEvent::MouseMove, local, global, Qt::NoButton, held, Qt::NoModifier);
            QCoreApplication::sendEvent(m_view, &move);
        }
        QMouseEvent up(QEvent::MouseButtonRelease, m_view->mapFromGlobal(global), global, Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
        QCoreApplication::sendEvent(m_view, &up);

        QCOMPARE(frame->geometry(), before.translated(shift));
        // The release ends the drag: a later move with the button down moves nothing.
        QMouseEvent after(QEvent::MouseMove, QPoint(1, 1), global + QPoint(30, 0), Qt::NoButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(m_view, &after);
        QCOMPARE(frame->geometry(), before.translated(shift));
    }

    void doubleClickOnGripHides()
    {
        QTest::mouseDClick(m_view, Qt::LeftButton, Qt::NoModifier, QPoint(5, 20));
        QVERIFY(!m_harness->frame()->isVisible());
    }

    void contextMenuOnGrip_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<bool>("opens");
        QTest::newRow("leftmost_column") << 0 << false;
        QTest::newRow("first_inside") << 1 << true;
        QTest::newRow("last_inside") << 18 << true;
    }

    void contextMenuOnGrip()
    {
        QFETCH(int, x);
        QFETCH(bool, opens);

        QStringList texts;
        QString defaultText;
        QPoint shownAt;
        ScopedPopupMenuHook hook([&](QMenu& menu, const QPoint& pos) {
            for (QAction* action : menu.actions())
                texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
            defaultText = menu.defaultAction() ? menu.defaultAction()->text() : QString();
            shownAt = pos;
            return res::ID_MINIMIZE;
        });
        const QPoint click(x, 10);
        QTest::mouseClick(m_view, Qt::RightButton, Qt::NoModifier, click);

        if (!opens) {
            QVERIFY(texts.isEmpty());
            QVERIFY(m_harness->frame()->isVisible());
            return;
        }
        QCOMPARE(texts,
                 (QStringList{"設定(&S)", "レジストリの削除", "-", "ﾄﾋﾟｯｸの検索(&H)", "ﾊﾞｰｼﾞｮﾝ情報(Orrin) (&A)...", "-",
                              "最小化(&M)"}));
        QCOMPARE(defaultText, QStringLiteral("最小化(&M)"));
        QCOMPARE(shownAt, m_harness->frame()->pos() + click);
        QVERIFY(!m_harness->frame()->isVisible());  // the chosen command ran
    }

    void sizingShapeOnlyOverBorder_data()
    {
        QTest::addColumn<int>("borderX");
        QTest::newRow("left_border") << 1;
        QTest::newRow("right_border") << 298;
    }

    void sizingShapeOnlyOverBorder()
    {
        QFETCH(int, borderX);

        CMainFrame* frame = m_harness->frame();
        const QPoint onBorder(borderX, 10);
        QMouseEvent hover(QEvent::MouseMove, onBorder, frame->mapToGlobal(onBorder), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &hover);
        QCOMPARE(frame->cursor().shape(), Qt::SizeHorCursor);

        // The pointer goes on into the view, straight onto the grip.
        for (QWidget* entered : {static_cast<QWidget*>(m_view), static_cast<QWidget*>(grip())}) {
            const QPoint inside(5, 5);
            QEnterEvent enter(inside, inside, entered->mapToGlobal(inside));
            QCoreApplication::sendEvent(entered, &enter);
        }
        QCOMPARE(grip()->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(m_view->cursor().shape(), Qt::ArrowCursor);
    }

    void applicationCommandsFromView_data()
    {
        // What the grip's menu sends goes to the view and its document only.
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("shownAfter");
        QTest::addColumn<bool>("settingsWritten");

        QTest::newRow("about") << res::ID_APP_ABOUT << QStringLiteral("aboutDlg") << true << false;
        QTest::newRow("exit") << res::ID_APP_EXIT << QString() << false << true;
    }

    void applicationCommandsFromView()
    {
        QFETCH(int, command);
        QFETCH(QString, dialog);
        QFETCH(bool, shownAfter);
        QFETCH(bool, settingsWritten);

        QString opened;
        QTimer::singleShot(0, [&opened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = modal->objectName();
                modal->close();
            }
        });
        QVERIFY(m_view->SendCommand(command));
        QCoreApplication::processEvents();
        QCOMPARE(opened, dialog);
        QCOMPARE(m_harness->frame()->isVisible(), shownAfter);
        QCOMPARE(QFile::exists(profileFileName()), settingsWritten);
    }

    void restoreShowsWindow()
    {
        CMainFrame* frame = m_harness->frame();
        QVERIFY(frame->SendCommand(res::ID_MINIMIZE));
        QVERIFY(!frame->isVisible());
        QVERIFY(frame->SendCommand(res::ID_RESTORE));
        QVERIFY(frame->isVisible());
    }
};

QTEST_MAIN(TesselViewTest)
#include "tesselview_test.moc"
