#include "system/drives.h"

#include <algorithm>

#include "text/encoding.h"
#include "system/file_system.h"
#include "system/path_text.h"
#include "text/runtime_error.h"

namespace headly {
namespace {

constexpr size_t kMaxPath = 260;
constexpr int kPathNotFound = 3;    // Windows ERROR_PATH_NOT_FOUND
constexpr int kNotAFolder = 267;    // Windows ERROR_DIRECTORY

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
char upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

SjisString rootOf(char letter) { return SjisString{upper(letter), ':', '\\'}; }

// The folders of a native path in order; "." dropped and ".." resolved
// (never above "/").
std::vector<std::string> nativeComponents(std::string_view path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.emplace_back(part);
    }
    start = end + 1;
  }
  return parts;
}

}  // namespace

Drives::Drives(FileSystem& fs) : fs_(fs) {
  roots_.emplace('c', std::string(1, '/'));
  currentFolders_['c'] = rootOf('c');
  std::optional<SjisString> start;
  if (const std::string cwd = fs_.processCurrentFolder(); !cwd.empty()) {
    start = fromNative(cwd);
    if (!start) unnamedStart_ = cwd;
  }
  if (!start) {
    if (const std::string home = fs_.homeFolder(); !home.empty()) start = fromNative(home);
  }
  if (start) currentFolders_['c'] = *start;
}

void Drives::addDrive(char letter, const std::string& nativeRoot) {
  const char l = lower(letter);
  if (l < 'a' || l > 'z') raise(err::kBadArgument);
  std::string root;
  for (const std::string& part : nativeComponents(nativeRoot)) root += "/" + part;
  roots_[l] = root.empty() ? "/" : root;
  currentFolders_[l] = rootOf(l);
}

std::vector<char> Drives::letters() const {
  std::vector<char> out;
  for (const auto& [letter, root] : roots_) out.push_back(letter);
  return out;
}

SjisString Drives::fullPath(const SjisString& path) const {
  if (path.size() > kMaxPath) raise(err::kBadFileName);
  char letter = currentDrive_;
  std::string_view rest = path;
  if (rest.size() >= 2 && isAsciiLetter(rest[0]) && rest[1] == ':') {
    letter = lower(rest[0]);
    rest.remove_prefix(2);
  }
  // Forward slashes are separators as well; a NUL, a control byte or a colon
  // past the drive makes the path invalid.
  SjisString text(rest);
  for (size_t i = 0; i < text.size(); i += charLengthAt(text, i)) {
    if (charLengthAt(text, i) == 2) continue;
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == ':') raise(err::kBadFileName);
    if (c == '/') text[i] = '\\';
  }
  std::vector<SjisString> folders;
  if (text.empty() || text[0] != '\\') {
    const SjisString base = currentFolder(letter);
    for (std::string_view part : splitAtSeparators(std::string_view(base).substr(3), '\\'))
      if (!part.empty()) folders.emplace_back(part);
  }
  for (std::string_view part : splitAtSeparators(text, '\\')) {
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!folders.empty()) folders.pop_back();
    } else {
      folders.emplace_back(part);
    }
  }
  SjisString out = rootOf(letter);
  for (size_t i = 0; i < folders.size(); ++i) {
    if (i > 0) out += '\\';
    out += folders[i];
  }
  if (out.size() > kMaxPath) raise(err::kBadFileName);
  return out;
}

std::string Drives::toNative(const SjisString& path) const {
  SjisString full = fullPath(path);
  const char letter = lower(full[0]);
  checkReady(letter);
  SjisString rest = full.substr(3);
  for (size_t i = 0; i < rest.size(); i += charLengthAt(rest, i))
    if (rest[i] == '\\' && charLengthAt(rest, i) == 1) rest[i] = '/';
  const std::optional<std::string> utf8 = toUtf8Exact(rest);
  if (!utf8) raise(err::kBadFileName);
  const std::string& root = roots_.at(letter);
  if (utf8->empty()) return root;
  if (!hasOtherNameForms(*utf8)) return root == "/" ? "/" + *utf8 : root + "/" + *utf8;
  std::string native = root == "/" ? "" : root;
  for (const std::string& part : nativeComponents(*utf8)) native += "/" + existingForm(native, part);
  return native;
}

EntryKind Drives::kindOnDisk(const SjisString& path) const {
  std::string native;
  try {
    native = toNative(path);
  } catch (const RuntimeError& e) {
    if (e.errorCode == err::kDriveNotReady || e.errorCode == err::kBadFileName) return EntryKind::Missing;
    throw;
  }
  return fs_.kind(native);
}

// A name is looked for on disk as it stands in Shift-JIS's standard form and
// then in the other forms of its characters; a name found in no form keeps
// the standard one (it is about to be created, or it is missing).
std::string Drives::existingForm(const std::string& nativeFolder, const std::string& standardName) const {
  if (!hasOtherNameForms(standardName) || fs_.kind(nativeFolder + "/" + standardName) != EntryKind::Missing)
    return standardName;
  if (fs_.kind(nativeFolder.empty() ? "/" : nativeFolder) != EntryKind::Folder) return standardName;
  try {
    for (const FolderEntry& entry : fs_.listFolder(nativeFolder.empty() ? "/" : nativeFolder))
      if (standardNameForm(entry.name) == standardName) return entry.name;
  } catch (const RuntimeError&) {
    // An unreadable folder: the name is used as it stands.
  }
  return standardName;
}

std::optional<SjisString> Drives::fromNative(const std::string& nativePath) const {
  std::string absolute = nativePath;
  if (absolute.empty() || absolute[0] != '/') absolute = fs_.processCurrentFolder() + "/" + absolute;
  const std::vector<std::string> parts = nativeComponents(absolute);

  char best = 0;
  size_t bestLength = 0;
  for (const auto& [letter, root] : roots_) {
    const std::vector<std::string> rootParts = nativeComponents(root);
    if (rootParts.size() > parts.size() || (best && rootParts.size() <= bestLength)) continue;
    if (std::equal(rootParts.begin(), rootParts.end(), parts.begin())) {
      best = letter;
      bestLength = rootParts.size();
    }
  }
  if (!best) return std::nullopt;

  SjisString out = rootOf(best);
  for (size_t i = bestLength; i < parts.size(); ++i) {
    const std::optional<SjisString> name = fromNativeName(parts[i]);
    if (!name || !isPlainName(*name)) return std::nullopt;
    if (i > bestLength) out += '\\';
    out += *name;
  }
  if (out.size() > kMaxPath) return std::nullopt;
  return out;
}

std::string Drives::nameWithoutShiftJis(const std::string& nativePath) {
  for (const std::string& part : nativeComponents(nativePath))
    if (!fromNativeName(part)) return part;
  return {};
}

SjisString Drives::currentFolder(char letter) const {
  const char l = letter ? lower(letter) : currentDrive_;
  const auto found = currentFolders_.find(l);
  return found != currentFolders_.end() ? found->second : rootOf(l);
}

void Drives::changeFolder(const SjisString& path) {
  const SjisString full = fullPath(path);
  const std::string native = toNative(full);
  requireFolder(native);
  const char letter = lower(full[0]);
  currentFolders_[letter] = full;
  currentDrive_ = letter;
}

void Drives::requireFolder(const std::string& native) const {
  switch (fs_.kind(native)) {
    case EntryKind::Folder:
      break;
    case EntryKind::Missing:
      raise(osErrorCode(kPathNotFound));
    default:
      raise(osErrorCode(kNotAFolder));
  }
}

bool Drives::isNativeFolder(const std::string& native) const {
  try {
    return fs_.kind(native) == EntryKind::Folder;
  } catch (const RuntimeError&) {
    return false;
  }
}

void Drives::checkReady(char letter) const {
  const auto found = roots_.find(lower(letter));
  if (found == roots_.end() || fs_.kind(found->second) != EntryKind::Folder) raise(err::kDriveNotReady);
}

}  // namespace headly
