#include "system/path_text.h"

namespace headly {

std::vector<std::string_view> splitAtSeparators(std::string_view s, char sep) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t i = 0; i < s.size(); i += charLengthAt(s, i)) {
    if (s[i] == sep) {
      parts.push_back(s.substr(start, i - start));
      start = i + 1;
    }
  }
  parts.push_back(s.substr(start));
  return parts;
}

bool isPlainName(std::string_view name) {
  if (name.empty()) return false;
  for (size_t i = 0; i < name.size(); i += charLengthAt(name, i)) {
    if (charLengthAt(name, i) == 2) continue;
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c < 0x20 || c == '\\' || c == '/' || c == ':' || c == '*' || c == '?') return false;
  }
  return true;
}

PathParts splitPath(std::string_view path) {
  PathParts parts;
  size_t driveEnd = 0;
  const bool letter = path.size() >= 2 && ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
  if (letter && path[1] == ':') {
    driveEnd = 2;
  } else if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    // \\server\share: up to the backslash after the share name.
    int separators = 0;
    driveEnd = path.size();
    for (size_t i = 2; i < path.size(); i += charLengthAt(path, i)) {
      if (path[i] == '\\' && charLengthAt(path, i) == 1 && ++separators == 2) {
        driveEnd = i;
        break;
      }
    }
  }
  size_t folderEnd = driveEnd;  // just past the last backslash
  size_t lastPoint = std::string_view::npos;
  for (size_t i = driveEnd; i < path.size(); i += charLengthAt(path, i)) {
    if (charLengthAt(path, i) == 2) continue;
    if (path[i] == '\\') {
      folderEnd = i + 1;
      lastPoint = std::string_view::npos;
    } else if (path[i] == '.') {
      lastPoint = i;
    }
  }
  parts.drive = path.substr(0, driveEnd);
  parts.folder = path.substr(driveEnd, folderEnd - driveEnd);
  const size_t nameEnd = lastPoint == std::string_view::npos ? path.size() : lastPoint;
  parts.name = path.substr(folderEnd, nameEnd - folderEnd);
  parts.extension = path.substr(nameEnd);
  return parts;
}

}  // namespace headly
