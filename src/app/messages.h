#pragma once

// Texts of the window, exactly as the operator sees them.
namespace sondrix::messages {

inline constexpr char kDesignTitle[] = "サージ最大値測定 | WFMファイル連続表示";
inline constexpr char kTitle[] = "Ostrelファイル(WFM/CSV)表示ユーティリティ";
inline constexpr char kVersion[] = "(V4.10)";
inline constexpr char kResumeStem[] = "Resume";
inline constexpr char kResumeExtension[] = ".txt";
inline constexpr char kOutputFolder[] = "Output";
inline constexpr char kDefaultCsvName[] = "Data1.csv";

// File browser.
inline constexpr char kNoDrive[] = "ドライブがありません！";
inline constexpr char kDriveCheck[] = "ドライブ確認";
inline constexpr char kNoFolder[] = "フォルダがありません！";
inline constexpr char kFolderCheck[] = "フォルダ確認";

// WFM playback.
inline constexpr char kSelectWfm[] = "Binファイル(*.WFM)を選択して下さい.";
inline constexpr char kZeroTitle[] = "0";
inline constexpr char kConverting[] = "波形データ変換中｡";
inline constexpr char kConverted[] = "波形データ変換完了｡";

}  // namespace sondrix::messages
