#pragma once

// The texts the program shows, beside the menus and the string table: one
// place to read them all and, later, to translate them. UTF-8, for
// QString::fromUtf8; "%1" stands for an argument filled in by the caller.
// Plain constants without Qt, so that every layer may read them.
namespace res::text {

// The framework's own texts.
inline constexpr char cancel[] = "キャンセル";
inline constexpr char enterNumber[] = "数値を入力してください。";
inline constexpr char cannotOpenFile[] = "ファイル %1 を開けません。";
inline constexpr char badFileFormat[] = "ファイル %1 の形式が正しくありません。読み込めた変数だけを使います。";
inline constexpr char cannotSaveFile[] = "ファイル %1 に保存できません。";
inline constexpr char shortcutDescription[] = "クリップボードの式を計算";
inline constexpr char clipboardUnavailable[] = "このデスクトップではクリップボードの計算を使用できません。";

// The expression window.
inline constexpr char entryTooLong[] = "入力できるのは %1 文字までです。";
inline constexpr char confirmDeleteRegistry[] = "レジストリを削除してよろしいですか。";

// The settings sheet and its pages.
inline constexpr char settingsCaption[] = "設定";
inline constexpr char generalPageTitle[] = "基本設定";
inline constexpr char generalGroup[] = "基本設定";
inline constexpr char noDisplay[] = "起動時に非表示";
inline constexpr char hotKeyLabel[] = "ホットキー";
inline constexpr char hotKeyTaken[] = "このキーは他のプログラムが使用中です。";
inline constexpr char hotKeyUnavailable[] = "このデスクトップでは、どのアプリケーションでも働くキーを使えません。";
inline constexpr char hotKeyX11Only[] = "このキーは X11 のウィンドウが選択されているときだけ働きます。";
inline constexpr char hotKeyUnassigned[] =
    "デスクトップではまだキーが割り当てられていません。デスクトップのキーボードの設定で割り当ててください。";
inline constexpr char hotKeyTrigger[] = "デスクトップでの割り当て: %1";
inline constexpr char startAtLogin[] = "ログイン時に起動する";
inline constexpr char cannotSetAutostart[] = "ログイン時の起動を設定できません。";
inline constexpr char hotKeyNeedsModifier[] = "Ctrl、Alt、Meta のどれかと組み合わせたキーを押してください。";
inline constexpr char hotKeyUsedByStrip[] = "このキーは電卓のウィンドウが使用中です。別のキーを押してください。";
inline constexpr char constPageTitle[] = "変数";
inline constexpr char newConstButton[] = "新規作成(&N)";
inline constexpr char deleteConstButton[] = "削除(&D)";
inline constexpr char nameHeading[] = "変数名";
inline constexpr char valueHeading[] = "値";
inline constexpr char descriptionHeading[] = "説明";

// The constant edit dialog.
inline constexpr char constEditTitle[] = "変数";
inline constexpr char propertiesGroup[] = "プロパティ";
inline constexpr char nameLabel[] = "変数名";
inline constexpr char valueLabel[] = "値";
inline constexpr char descriptionLabel[] = "説明";
inline constexpr char constEditCancel[] = "ｷｬﾝｾﾙ";
inline constexpr char leadingDigitInName[] = "定数名の最初の文字に数字は使えません。";
inline constexpr char badCharacterInName[] = "数字か，大文字のアルファベットで入力して下さい。";

// Help.
inline constexpr char helpFileMissing[] = "ヘルプファイル %1 が見つかりません。";
inline constexpr char cannotShowHelp[] = "ヘルプファイル %1 を表示できません。";

// The About box.
inline constexpr char aboutTitle[] = "ﾊﾞｰｼﾞｮﾝ情報(Tessel)";
inline constexpr char aboutDescription[] = "常駐型の関数電卓";

}  // namespace res::text
