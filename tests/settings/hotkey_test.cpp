#include "settings/hotkeyedit.h"

#include <QApplication>
#include <QTest>

namespace {

QKeySequence ctrlShiftC()
{
    return QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_C);
}

}  // namespace

class HotKeyTest : public QObject {
    Q_OBJECT
private slots:
    void usable_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<bool>("usable");
        QTest::newRow("ctrl_shift_letter") << ctrlShiftC() << true;
        QTest::newRow("alt_function_key") << QKeySequence(Qt::AltModifier | Qt::Key_F5) << true;
        QTest::newRow("meta_digit") << QKeySequence(Qt::MetaModifier | Qt::Key_1) << true;
        QTest::newRow("none") << QKeySequence() << true;
        QTest::newRow("plain_letter") << QKeySequence(Qt::Key_K) << false;
        QTest::newRow("shift_only") << QKeySequence(Qt::ShiftModifier | Qt::Key_K) << false;
        QTest::newRow("plain_function_key") << QKeySequence(Qt::Key_F5) << false;
        QTest::newRow("modifier_alone") << QKeySequence(Qt::ControlModifier | Qt::Key_Alt) << false;
        QTest::newRow("two_chords")
            << QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_K), QKeyCombination(Qt::ControlModifier, Qt::Key_C))
            << false;
    }

    void usable()
    {
        QFETCH(QKeySequence, key);
        QFETCH(bool, usable);
        QCOMPARE(isUsableHotKey(key), usable);
    }

    void storedText_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QKeySequence>("key");
        QTest::newRow("absent") << QString() << ctrlShiftC();
        QTest::newRow("portable_text") << QStringLiteral("Ctrl+Alt+K")
                                       << QKeySequence(Qt::ControlModifier | Qt::AltModifier | Qt::Key_K);
        QTest::newRow("meta_function_key") << QStringLiteral("Meta+F12")
                                           << QKeySequence(Qt::MetaModifier | Qt::Key_F12);
        QTest::newRow("cleared") << QStringLiteral("") << QKeySequence();
        QTest::newRow("garbage") << QStringLiteral("Ctrl+Nonsense") << ctrlShiftC();
        QTest::newRow("plain_letter") << QStringLiteral("K") << ctrlShiftC();
        QTest::newRow("two_chords") << QStringLiteral("Ctrl+K, Ctrl+C") << ctrlShiftC();
    }

    void storedText()
    {
        QFETCH(QString, stored);
        QFETCH(QKeySequence, key);
        QCOMPARE(hotKeyFromText(stored), key);
        if (!key.isEmpty())
            QCOMPARE(hotKeyFromText(hotKeyToText(key)), key);
    }

    void fieldKeepsOneCombination()
    {
        CHotKeyEdit edit;
        edit.setKey(ctrlShiftC());
        edit.show();
        QTest::keyClick(&edit, Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(edit.key(), QKeySequence(Qt::ControlModifier | Qt::AltModifier | Qt::Key_K));
        // Pressed right after: a new key, not a second chord, also after the same key again.
        QTest::keyClick(&edit, Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
        QTest::keyClick(&edit, Qt::Key_F5, Qt::AltModifier);
        QCOMPARE(edit.key(), QKeySequence(Qt::AltModifier | Qt::Key_F5));
    }
};

QTEST_MAIN(HotKeyTest)
#include "hotkey_test.moc"
