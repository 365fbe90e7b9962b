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
    {err::kConverterMissing, "Shift-JIS（CP932）の文字コード変換モジュールが見つかりません。Debian では libc6 の gconv モジュール"
                             "（CP932.so）が必要です。apt-get install --reinstall libc6 libc-bin locales で入れ直してください。"},
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
    {err::kInternalError, "プログラムの内部でエラーが発生しました。"},
    {err::kFileChanged, "読み込みの途中でファイルが変更されました。"},
    // 128 + the termination signal that stopped the writing
    {129, "終了の指示（SIGHUP）を受けたため、書き込みを中止しました。"},
    {130, "中断の指示（SIGINT）を受けたため、書き込みを中止しました。"},
    {131, "終了の指示（SIGQUIT）を受けたため、書き込みを中止しました。"},
    {143, "終了の指示（SIGTERM）を受けたため、書き込みを中止しました。"},
    {err::kNoSuchObject, "指定されたオブジェクトが存在しません。"},
    {err::kWrongKind, "オブジェクトの種類が正しくありません。"},
    {err::kNoSuchControl, "フォームに指定された名前のコントロールがありません。"},
    {err::kListRefused, "リストボックスまたはコンボボックスが操作を受け付けませんでした。"},
    {err::kNoSuchEntry, "リストボックスまたはコンボボックスに該当する項目がありません。"},
};

}  // namespace

SjisString errorMessage(int code) { return sjis(errorReportUtf8(code)[1]); }

std::vector<std::string> errorReportUtf8(int code) {
  const char* text = "予期しないエラーが発生しました。";
  for (const Message& m : kMessages)
    if (m.code == code) text = m.text;
  return {"エラー[" + std::to_string(code) + "]", text, "任意のキーを押してください"};
}

std::string stoppedWritingUtf8(bool temporaryRemoved) {
  return temporaryRemoved ? "書きかけの一時ファイルは削除し、元のファイルはそのままです。"
                          : "見出しのファイルは、書き終えた行までで閉じました。";
}

std::vector<SjisString> errorReportLines(int code, const SjisString& detail) {
  std::vector<SjisString> lines;
  for (const std::string& line : errorReportUtf8(code)) lines.push_back(sjis(line));
  if (!detail.empty()) lines.insert(lines.end() - 1, detail);
  return lines;
}

}  // namespace headly
