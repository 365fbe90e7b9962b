#include "text/error_report.h"

#include <string>

#include "text/encoding.h"
#include "text/error_codes.h"

namespace headly {
namespace {

struct Message {
  int code;
  const char* text;  // UTF-8
};

constexpr Message kMessages[] = {
    {err::kBadArgument, "プロシージャの呼び出し、または引数が正しくありません。"},
    {err::kOverflow, "オーバーフローしました。"},
    {err::kOutOfMemory, "メモリが不足しています。"},
    {err::kTableExists, "配列は既に作成されています。"},
    {err::kDivisionByZero, "0 で除算しました。"},
    {err::kStringTooLong, "文字列が長すぎます。"},
    {err::kOsRefused, "オペレーティングシステムがファイル操作を拒否しました。"},
    {err::kNotSupported, "この操作はサポートされていません。"},
    {err::kBadFileNumber, "ファイル番号が正しくありません。"},
    {err::kBadFileMode, "ファイルモードが正しくありません。"},
    {err::kFileAlreadyOpen, "ファイルは既に開かれています。"},
    {err::kReadPastEnd, "ファイルの終わりを越えて読み込もうとしました。"},
    {err::kBadFileName, "ファイル名が正しくありません。"},
    {err::kFileNotOpen, "ファイルが開かれていません。"},
    {err::kDriveLocked, "ドライブがロックされています。"},
    {err::kDeviceUnavailable, "デバイスが使用できません。"},
    {err::kBufferOverflow, "バッファがあふれました。"},
    {err::kFileNotFound, "ファイルまたはフォルダが見つかりません。"},
    {err::kFileExists, "同じ名前のファイルが既に存在します。"},
    {err::kTooManyOpenFiles, "開いているファイルが多すぎます。"},
    {err::kDiskFull, "ディスクに書き込めません。空き容量が不足している可能性があります。"},
    {err::kDiskUnreadable, "ディスクを読み取れません。"},
    {err::kDriveNotReady, "ドライブの準備ができていません。"},
    {err::kWriteProtected, "ディスクは書き込み禁止です。"},
    {err::kAccessDenied, "パスまたはファイルへのアクセスが拒否されました。"},
    {err::kNoSuchObject, "指定されたオブジェクトが存在しません。"},
    {err::kWrongKind, "オブジェクトの種類が正しくありません。"},
    {err::kNoSuchControl, "フォームに指定された名前のコントロールがありません。"},
    {err::kListRefused, "リストボックスまたはコンボボックスが操作を受け付けませんでした。"},
    {err::kNoSuchEntry, "リストボックスまたはコンボボックスに該当する項目がありません。"},
};

}  // namespace

SjisString errorMessage(int code) {
  for (const Message& m : kMessages)
    if (m.code == code) return sjis(m.text);
  return sjis("予期しないエラーが発生しました。");
}

std::vector<SjisString> errorReportLines(int code) {
  return {sjis("エラー[") + std::to_string(code) + "]", errorMessage(code), sjis("任意のキーを押してください")};
}

}  // namespace headly
