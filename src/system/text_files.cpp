#include "system/text_files.h"

#include <cerrno>
#include <optional>

#include "system/channel.h"
#include "system/converted_file.h"
#include "system/drives.h"
#include "system/file_encoding.h"
#include "system/file_system.h"
#include "system/path_text.h"
#include "system/processes.h"
#include "system/temporary_names.h"
#include "text/runtime_error.h"

namespace headly {
namespace {

constexpr size_t kMaxPath = 260;
constexpr int kFirstNumber = 1, kLastNumber = 255;
// The Windows error number for a missing path, which the native layer cannot report.
constexpr int kPathNotFound = 3;
// Names tried for a temporary file before a clash with existing files counts
// as a failure.
constexpr int kTemporaryAttempts = 16;

}  // namespace

TextFiles::TextFiles(FileSystem& fs, Drives& drives) : fs_(fs), drives_(drives) {}

TextFiles::~TextFiles() { abandonFiles(); }

Channel& TextFiles::channel(int number) {
  if (number < kFirstNumber || number > kLastNumber) raise(err::kBadFileNumber);
  if (!channels_[number]) raise(err::kFileNotOpen);
  return *channels_[number];
}

void TextFiles::checkFreeNumber(int number) const {
  if (number < kFirstNumber || number > kLastNumber) raise(err::kBadFileNumber);
  if (channels_[number]) raise(err::kFileAlreadyOpen);
}

void TextFiles::openAppending(SjisString full, std::unique_ptr<NativeFile> file, int number) {
  auto c = std::make_unique<Channel>(FileMode::Append, std::move(full), std::move(file));
  c->moveToEnd();
  channels_[number] = std::move(c);
}

void TextFiles::openFile(const SjisString& name, FileMode mode, int number) {
  if (name.size() > kMaxPath) raise(err::kBadFileName);
  checkFreeNumber(number);
  if (name.empty() || hasWildcard(name)) raise(err::kBadFileName);
  SjisString full = drives_.fullPath(name);
  const std::string native = drives_.toNative(full);
  switch (mode) {
    case FileMode::Input:
      channels_[number] = std::make_unique<Channel>(mode, std::move(full), fs_.openForReading(native));
      break;
    case FileMode::Output:
      channels_[number] = std::make_unique<Channel>(mode, std::move(full), fs_.createNew(native));
      break;
    case FileMode::Append:
      openAppending(std::move(full), fs_.openForAppending(native), number);
      break;
    case FileMode::Replace:
      channels_[number] = openReplacement(std::move(full), native);
      break;
    default:
      raise(err::kBadFileMode);
  }
}

void TextFiles::openAppendingIn(NativeFolder& folder, const std::string& nativeName, const SjisString& path,
                                int number) {
  checkFreeNumber(number);
  openAppending(path, folder.openForAppending(nativeName), number);
}

void TextFiles::openInput(const SjisString& name, const InputForm& form, int number) {
  openFile(name, FileMode::Input, number);
  if (form.skipped > 0 || form.convertedFrom) {
    Channel& plain = *channels_[number];
    channels_[number] = std::make_unique<Channel>(FileMode::Input, plain.path(),
                                                  std::make_unique<ConvertedFile>(plain.releaseFile(), form));
  }
  if (form.lfLineEnds) channels_[number]->endLinesAtLf();
}

void TextFiles::openOutput(const SjisString& name, OutputEncoding encoding, int number) {
  openFile(name, FileMode::Replace, number);
  if (encoding != OutputEncoding::ShiftJis)
    channels_[number]->writeInUtf8(encoding == OutputEncoding::Utf8WithBom);
}

void TextFiles::openByteOutput(const SjisString& name, int number) {
  openFile(name, FileMode::Replace, number);
  channels_[number]->writeBytesOnly();
}

// The temporary file lies in the target's folder, so that the rename at the
// close stays inside one file system. A symbolic link keeps its place: the
// file it points to is replaced, and gets the mode and owner it had. Another
// user's link in a shared folder is not followed, and a read-only file, which
// could not be deleted, is not replaced either.
std::unique_ptr<Channel> TextFiles::openReplacement(SjisString full, const std::string& name) {
  std::string target;
  try {
    target = fs_.linkTarget(name);
  } catch (const RuntimeError& e) {
    if (e.errorCode != err::kAccessDenied) throw;
    raise(e.errorCode, sjis("「") + full + sjis("」は共有フォルダにある他のユーザーのリンクのため、その先には書き込みません。"));
  }
  const EntryKind kind = fs_.kind(target);
  if (!isReplaceable(kind)) raise(osErrorCode(kWindowsAccessDenied));
  const std::string folder = target.substr(0, target.rfind('/') + 1);
  // A name that the rename would refuse is refused before anything is written.
  if (target.size() - folder.size() > kMaxNativeNameBytes) raise(errorCodeFromErrno(ENAMETOOLONG));
  const std::string prefix = temporaryPrefix(target);
  removeAbandonedTemporaries(folder, prefix);
  for (int attempt = 1;; ++attempt) {
    const std::string temporary = folder + temporaryName(prefix);
    std::unique_ptr<NativeFile> file;
    try {
      file = fs_.createNew(temporary);
    } catch (const RuntimeError& e) {
      if (e.errorCode != err::kFileExists || attempt == kTemporaryAttempts) throw;
      continue;
    }
    auto channel = std::make_unique<Channel>(FileMode::Replace, std::move(full), std::move(file),
                                             Replacement{&fs_, temporary, target});
    channel->prepareReplacement(kind == EntryKind::RegularFile);
    return channel;
  }
}

// Temporary files of the same target whose process has died (SIGKILL, a
// crash, a power cut) go; a file that a live process holds stays, and so
// does everything else. Failing to look is no reason not to write.
void TextFiles::removeAbandonedTemporaries(const std::string& folder, const std::string& prefix) {
  try {
    for (const FolderEntry& e : fs_.listFolder(folder)) {
      const int pid = writerOf(e.name, prefix);
      if (pid != 0 && !e.isFolder && !processExists(pid)) fs_.removeUnlocked(folder + e.name);
    }
  } catch (const RuntimeError&) {
  }
}

SjisString TextFiles::readLine(int number) {
  SjisString line;
  readLineInto(number, line);
  return line;
}

void TextFiles::readLineInto(int number, SjisString& line) {
  Channel& c = channel(number);
  if (c.mode() != FileMode::Input) raise(err::kBadFileMode);
  c.readLine(line);
}

uint64_t TextFiles::readLines(int number, LineStore& store, uint64_t maxLines) {
  Channel& c = channel(number);
  if (c.mode() != FileMode::Input) raise(err::kBadFileMode);
  return c.readLines(store, maxLines);
}

bool TextFiles::atEnd(int number) {
  Channel& c = channel(number);
  if (c.mode() != FileMode::Input) raise(err::kBadFileMode);
  return c.atEnd();
}

uint64_t TextFiles::inputSize(int number) {
  Channel& c = channel(number);
  if (c.mode() != FileMode::Input) raise(err::kBadFileMode);
  return c.size();
}

void TextFiles::writeLine(int number, std::string_view text) {
  Channel& c = channel(number);
  if (c.mode() == FileMode::Input) raise(err::kBadFileMode);
  c.writeLine(text);
}

void TextFiles::writeLines(int number, std::string_view lines) {
  Channel& c = channel(number);
  if (c.mode() == FileMode::Input) raise(err::kBadFileMode);
  c.writeLines(lines);
}

void TextFiles::writeBytes(int number, std::string_view bytes) {
  Channel& c = channel(number);
  if (c.mode() == FileMode::Input) raise(err::kBadFileMode);
  c.writeLines(bytes);
}

void TextFiles::closeFiles(std::initializer_list<int> numbers) {
  // Every channel is closed even when one of them fails; the first failure
  // is raised afterwards.
  std::optional<RuntimeError> failure;
  auto closeOne = [&](int n) {
    std::unique_ptr<Channel> c = std::move(channels_[n]);
    if (!c) return;
    try {
      c->close();
    } catch (const RuntimeError& e) {
      if (!failure) failure = e;
    }
  };
  if (numbers.size() == 0) {
    for (int n = kFirstNumber; n <= kLastNumber; ++n) closeOne(n);
  } else {
    for (int n : numbers) {
      if (n < kFirstNumber || n > kLastNumber) raise(err::kBadFileNumber);
      closeOne(n);
    }
  }
  if (failure) throw *failure;
  // A signal that came after the last check: the files are complete, but the
  // program still ends as asked.
  checkTermination();
}

void TextFiles::abandonFiles() {
  for (auto& c : channels_) {
    if (c) c->abandon();
    c.reset();
  }
}

FileStamp TextFiles::fileStamp(const SjisString& name) {
  try {
    return fs_.stamp(drives_.toNative(drives_.fullPath(name)));
  } catch (const RuntimeError&) {
    return {};  // gone: unlike the stamp of any file
  }
}

bool TextFiles::folderExists(const SjisString& name) {
  if (hasWildcard(name)) raise(err::kBadFileName);
  if (name.empty()) return false;
  return drives_.kindOnDisk(drives_.fullPath(name)) == EntryKind::Folder;
}

bool TextFiles::regularFileExists(const SjisString& name) {
  if (hasWildcard(name)) raise(err::kBadFileName);
  if (name.empty()) return false;
  return drives_.kindOnDisk(drives_.fullPath(name)) == EntryKind::RegularFile;
}

void TextFiles::makeFolder(const SjisString& path) {
  if (path.size() > kMaxPath) raise(err::kBadArgument);
  if (path.empty()) raise(osErrorCode(kPathNotFound));
  fs_.makeFolder(drives_.toNative(path));
}

void TextFiles::changeFolder(const SjisString& path) {
  if (path.size() > kMaxPath) raise(err::kBadArgument);
  if (path.empty()) raise(osErrorCode(kPathNotFound));
  drives_.changeFolder(path);
}

SjisString TextFiles::currentFolder(const SjisString& drive) {
  if (drive.empty()) return drives_.currentFolder();
  const bool letter = (drive[0] >= 'a' && drive[0] <= 'z') || (drive[0] >= 'A' && drive[0] <= 'Z');
  if (drive.size() != 2 || !letter || drive[1] != ':') raise(err::kBadArgument);
  drives_.checkReady(drive[0]);
  return drives_.currentFolder(drive[0]);
}

std::vector<SjisString> TextFiles::folderEntries(const SjisString& path) {
  if (path.empty() || path.size() > kMaxPath) raise(err::kBadArgument);
  const SjisString full = drives_.fullPath(path);
  const std::string native = drives_.toNative(full);
  drives_.requireFolder(native);
  std::vector<SjisString> entries;
  if (full.size() > 3) entries.push_back("[..]");
  for (const FolderEntry& e : fs_.listFolder(native)) {
    // Names that start with a point are hidden; names without a Shift-JIS
    // form cannot be named inside the program.
    if (!e.isFolder || e.name.empty() || e.name[0] == '.') continue;
    const std::optional<SjisString> name = fromNativeName(e.name);
    if (name && isPlainName(*name)) entries.push_back("[" + *name + "]");
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

std::vector<SjisString> TextFiles::driveEntries() {
  std::vector<SjisString> entries;
  for (char letter : drives_.letters()) entries.push_back(SjisString("[-") + letter + "-]");
  return entries;
}

SjisString TextFiles::fullPath(const SjisString& path) { return drives_.fullPath(path); }

}  // namespace headly
