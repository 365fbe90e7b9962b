// The forms and controls the program works with, by what they are for, and
// the codes their buttons leave in eventCode: button n leaves n. The
// catalogue holds the controls themselves.
#pragma once

namespace headly {

namespace mainform {
inline constexpr char kForm[] = "MAINFORM";
}  // namespace mainform

// "項目「…」の設定": a body item after the first.
namespace form2 {
inline constexpr char kForm[] = "FORM2";
inline constexpr char kBlanks[] = "EDIT1";
inline constexpr char kDelimiterBefore[] = "EDIT2";
inline constexpr char kDelimiterAfter[] = "EDIT3";
inline constexpr char kCharsPerLine[] = "EDIT6";
inline constexpr char kCharsPerLineLabel[] = "TEXT12";
inline constexpr char kEvenNote[] = "TEXT4";
inline constexpr char kMaxLength[] = "TEXT11";
inline constexpr char kJoinPrevious[] = "RADIO1";
inline constexpr int kSet = 1;
inline constexpr int kTest = 11;
inline constexpr int kBack = 12;
inline constexpr int kCancel = 13;
}  // namespace form2

// "項目の分類": the data's items (LIST1), the heading items and the others.
namespace form3 {
inline constexpr char kForm[] = "FORM3";
inline constexpr char kItems[] = "LIST1";
inline constexpr char kHeadings[] = "LIST2";
inline constexpr char kOthers[] = "LIST3";
inline constexpr char kMakeHeadings[] = "CHECK1";
inline constexpr char kWriteCsv[] = "CHECK2";
inline constexpr char kFolderMode[] = "CHECK3";
inline constexpr char kNumbering[] = "CHECK5";
inline constexpr int kToHeadings = 2;
inline constexpr int kFromHeadings = 3;
inline constexpr int kToOthers = 4;
inline constexpr int kFromOthers = 5;
inline constexpr int kFinish = 6;
}  // namespace form3

// The indent of a heading item or of the first body item.
namespace form4 {
inline constexpr char kForm[] = "FORM4";
inline constexpr char kIndent[] = "EDIT4";
inline constexpr char kIndentLabel[] = "TEXT8";
inline constexpr char kCharsPerLine[] = "EDIT5";
inline constexpr char kCharsPerLineLabel[] = "TEXT10";
inline constexpr char kMaxLength[] = "TEXT9";
inline constexpr char kBackButton[] = "BUTTON8";
inline constexpr char kSetButton[] = "BUTTON9";
inline constexpr int kTest = 7;
inline constexpr int kBack = 8;
inline constexpr int kSet = 9;
inline constexpr int kCancel = 10;
}  // namespace form4

// "フォルダの作成": drives, folders and the name of the base folder.
namespace form5 {
inline constexpr char kForm[] = "FORM5";
inline constexpr char kDrives[] = "COMBO1";
inline constexpr char kFolders[] = "LIST4";
inline constexpr char kBorrowName[] = "CHECK4";
inline constexpr char kFolderName[] = "EDIT7";
inline constexpr char kWorkFolder[] = "TEXT13";
inline constexpr char kDriveChanged[] = "COMBO1_CHANGE";
inline constexpr char kFolderClicked[] = "LIST4_CLICK";
inline constexpr char kDecideHandler[] = "BUTTON14_ON";
inline constexpr int kDecided = 14;
inline constexpr int kCancelled = 15;
}  // namespace form5

}  // namespace headly
