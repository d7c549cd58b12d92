#pragma once

// Texts of the window, exactly as the operator sees them.
namespace sondrix::messages {

inline constexpr char kDesignTitle[] = "サージ最大値測定 | WFMファイル連続表示";
inline constexpr char kTitle[] = "Ostrelファイル(WFM/CSV)表示ユーティリティ";
inline constexpr char kVersion[] = "(V4.10)";
// F1: every key of the window (the commands' keys come first, with their captions), then the
// gestures.
inline constexpr char kKeyListTitle[] = "キーとマウス操作";
inline constexpr char kKeyListGestures[] =
    "+, Ctrl++\t拡大 (ホイール1目盛)\n"
    "-, Ctrl+-\t縮小 (ホイール1目盛)\n"
    "ホイール\t時間軸の拡大縮小 (Ctrl: 電圧軸)\n"
    "ダブルクリック (波形)\t拡大ﾘｾｯﾄ\n"
    "ドラッグ (波形)\t囲んだ範囲を拡大\n"
    "中ボタンドラッグ, Shift+ドラッグ (波形)\t表示を移動\n"
    "Left, Right, Up, Down (波形)\t表示を1目盛移動\n"
    "Backspace (波形), Alt+Left\t前の表示に戻る\n"
    "Alt+Right\t次の表示に進む\n"
    "Menu, Shift+F10\t波形のメニュー\n"
    "Enter, ダブルクリック (ファイル一覧)\tファイルを再生\n"
    "Page Down, Ctrl+Right\t次のファイル\n"
    "Page Up, Ctrl+Left\t前のファイル\n"
    "F1\tこの一覧";
// Between the name of the capture on screen and the product title, in the window title.
inline constexpr char kTitleSeparator[] = " — ";
inline constexpr char kResumeStem[] = "Resume";
inline constexpr char kResumeExtension[] = ".txt";
// Beside the settings file, which stays as it is.
inline constexpr char kRecentFoldersFile[] = "RecentFolders.txt";
inline constexpr char kOutputFolder[] = "Output";
inline constexpr char kDefaultCsvName[] = "Data1.csv";

// Captions and design-time texts of the controls, by control name.
namespace captions {
inline constexpr char kSmoothingSelF[] = "スムージング";
inline constexpr char kSmOption0[] = "ｿｰｽのみ";
inline constexpr char kSmOption1[] = "ｿｰｽ+ｽﾑｰｼﾞﾝｸﾞ";
inline constexpr char kSmOption2[] = "ｽﾑｰｼﾞﾝｸﾞのみ";
inline constexpr char kLabel3[] = "点数(奇数)";
inline constexpr char kLabel4[] = "(Enterで固定)";
inline constexpr char kOperationF[] = "操作";
inline constexpr char kAllSaveCheck[] = "CSV格納";
inline constexpr char kBinToCsvConvert[] = "WFMファイルを個別に再生";
inline constexpr char kSelResultFileFolderDesign[] = "　CSVファイル　　に格納";
inline constexpr char kDataSkipFrame[] = "間引き間隔";
inline constexpr char kInputDsTypeCsvFile[] = "CSVファイルを個別に再生";
inline constexpr char kConfirmMess[] = "継続確認あり";
inline constexpr char kLimitLevelF[] = "制限レベル(V)";
inline constexpr char kMIntF[] = "測定間隔(s)";
inline constexpr char kMaxRepeatTimesF[] = "最大ﾌｧｲﾙ数";
inline constexpr char kStop[] = "中止";
inline constexpr char kStart[] = "WFM連続再生開始";
inline constexpr char kFollowNew[] = "新着ファイルを自動再生";
inline constexpr char kFolderSelectFrame[] = "ファイルフォルダ選択";
inline constexpr char kExpandFrame[] = "X軸波形拡大";
inline constexpr char kResetCursor[] = "ｶｰｿﾙ位置ﾘｾｯﾄ";
inline constexpr char kCdCheck[] = "カーソルoff";
inline constexpr char kXReset[] = "拡大ﾘｾｯﾄ";
inline constexpr char kExpand[] = "拡大";
inline constexpr char kLabel1[] = "倍率";
inline constexpr char kLabel2[] = "位置(div)";
inline constexpr char kExpRateLabel[] = "X　";
inline constexpr char kExpYLabel[] = "Y　　";
}  // namespace captions

// Any command that fails in a way it does not handle itself (no memory).
inline constexpr char kCommandFailed[] = "処理できませんでした｡";

// Start-up.
inline constexpr char kSelResultFileFolder[] = "CSVファイルに格納";

// File browser.
inline constexpr char kNoDrive[] = "ドライブがありません！";
inline constexpr char kDriveCheck[] = "ドライブ確認";
inline constexpr char kNoFolder[] = "フォルダがありません！";
inline constexpr char kFolderCheck[] = "フォルダ確認";

// Opening a path from the command line or a drop; the path follows on a line of its own.
inline constexpr char kNoPath[] = "ファイルまたはフォルダがありません！";
inline constexpr char kNotWaveFile[] = "WFM/CSV/TXTファイルではありません！";
inline constexpr char kNotListed[] = "ファイル一覧に表示できないファイルです！";
// The reader's reason follows the path on a line of its own.
inline constexpr char kUnreadable[] = "ファイルを読み取れません！";
inline constexpr char kFileCheck[] = "ファイル確認";

// WFM playback.
inline constexpr char kSelectWfm[] = "Binファイル(*.WFM)を選択して下さい.";
inline constexpr char kZeroTitle[] = "0";
inline constexpr char kConverting[] = "波形データ変換中｡";
inline constexpr char kConverted[] = "波形データ変換完了｡";

// Storing the displayed waveform, by the save command and by the continuous run.
inline constexpr char kSelectCsvTitle[] = "CSVファイルを選択して下さい.";
inline constexpr char kCsvFilter[] = "CSV (*.CSV *.csv)";
inline constexpr char kStoreCancelled[] = "CSV格納がキャンセルされました.";
inline constexpr char kStoring[] = "表示中の波形を格納しています｡";
inline constexpr char kStored[] = "表示波形格納を完了しました｡";
inline constexpr char kStoreFailed[] = "CSVファイルに格納できませんでした｡";
inline constexpr char kStoreFailedTitle[] = "CSV格納";
inline constexpr char kCsvExtension[] = ".CSV";

// The waveform surface's context menu: pictures of the waveform frame, the measurement table.
inline constexpr char kSavePicture[] = "画像を保存...";
inline constexpr char kCopyPicture[] = "画像をコピー";
inline constexpr char kMeasure[] = "測定";
inline constexpr char kSelectPictureTitle[] = "画像ファイルを選択して下さい.";
inline constexpr char kPictureFilter[] = "PNG (*.PNG *.png);;SVG (*.SVG *.svg);;PDF (*.PDF *.pdf)";
inline constexpr char kDefaultPictureName[] = "Wave1.png";
inline constexpr char kPictureSaved[] = "波形画像を保存しました｡";
inline constexpr char kPictureSaveFailed[] = "画像を保存できませんでした｡";
inline constexpr char kPictureSaveFailedTitle[] = "画像保存";
inline constexpr char kPictureCopied[] = "波形画像をコピーしました｡";

// CSV playback.
inline constexpr char kSelectCsv[] = "CSV/TXTファイルを選択して下さい.";
inline constexpr char kCsvReadError[] = "ファイル読取りエラーです。";

// Continuous run.
inline constexpr char kNoFiles[] = "ファイルがありません｡";
inline constexpr char kWfmCheckTitle[] = "WFMファイルチェック";
inline constexpr char kProcessing[] = " 処理中";
inline constexpr char kProcessed[] = " 処理完了";
inline constexpr char kContinue[] = "続行しますか？";
inline constexpr char kOperationTitle[] = "操作";
inline constexpr char kWfmExtension[] = ".WFM";
inline constexpr char kLimitLevelDefault[] = "13";
inline constexpr char kMaxRepeatTimesDefault[] = "1";
inline constexpr char kMIntDefault[] = "1";

}  // namespace sondrix::messages
