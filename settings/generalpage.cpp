#include "settings/generalpage.h"

#include "res/texts.h"
#include "settings/hotkeyedit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

CGeneralPage::CGeneralPage()
    : PropertyPage(QString::fromUtf8(res::text::generalPageTitle), 227, 167),
      m_noDisplayCheck(nullptr),
      m_startAtLoginCheck(nullptr)
{
    setObjectName(QStringLiteral("generalPage"));
    const DialogTemplate& layout = dialogTemplate();

    auto* group = new QGroupBox(QString::fromUtf8(res::text::generalGroup), this);
    layout.place(group, 12, 12, 202, 140);

    m_noDisplayCheck = new QCheckBox(QString::fromUtf8(res::text::noDisplay), this);
    m_noDisplayCheck->setObjectName(QStringLiteral("noDisplayCheck"));
    layout.place(m_noDisplayCheck, 28, 29, 63, 10);

    m_startAtLoginCheck = new QCheckBox(QString::fromUtf8(res::text::startAtLogin), this);
    m_startAtLoginCheck->setObjectName(QStringLiteral("startAtLoginCheck"));
    layout.place(m_startAtLoginCheck, 28, 43, 90, 10);

    m_hotKeyEdit = new CHotKeyEdit(this);
    m_hotKeyEdit->setClearButtonEnabled(true);
    auto* hotKeyLabel = new QLabel(QString::fromUtf8(res::text::hotKeyLabel), this);
    hotKeyLabel->setObjectName(QStringLiteral("hotKeyLabel"));
    hotKeyLabel->setBuddy(m_hotKeyEdit);
    layout.place(hotKeyLabel, 28, 63, 40, 8);
    layout.place(m_hotKeyEdit, 72, 60, 126, 14);

    m_hotKeyState = new QLabel(this);
    m_hotKeyState->setObjectName(QStringLiteral("hotKeyState"));
    m_hotKeyState->setWordWrap(true);
    layout.place(m_hotKeyState, 72, 78, 126, 24);
    // The text spoke of the key shown before.
    connect(m_hotKeyEdit, &CHotKeyEdit::keySequenceChanged, m_hotKeyState, &QLabel::clear);

    group->lower();
}

void CGeneralPage::DoDataExchange(DataExchange& dx)
{
    DDX_Check(dx, m_noDisplayCheck, m_bNoDisplay);
    DDX_Check(dx, m_startAtLoginCheck, m_bStartAtLogin);
    if (!dx.m_bSaveAndValidate) {
        m_hotKeyEdit->setKey(m_hotKey);
        m_hotKeyState->setText(m_strHotKeyState);
        return;
    }
    const QKeySequence key = m_hotKeyEdit->key();
    if (const HotKeyCheck check = checkHotKey(key); check != HotKeyCheck::Usable) {
        m_hotKeyState->setText(hotKeyRefusalText(check));
        dx.Fail(m_hotKeyEdit);
    }
    if (key == m_hotKey)
        return;
    // Taken once: a second OK keeps the key although it does not work.
    m_hotKey = key;
    if (!m_tryHotKey)
        return;
    m_strHotKeyState = m_tryHotKey(key);
    m_hotKeyState->setText(m_strHotKeyState);
    if (!m_strHotKeyState.isEmpty())
        dx.Fail(m_hotKeyEdit);
}

void CGeneralPage::showHotKeyState(const QString& text)
{
    m_strHotKeyState = text;
    m_hotKeyState->setText(text);
}
