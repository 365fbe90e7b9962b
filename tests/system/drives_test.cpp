// Internal paths and their native forms, through a fake file layer whose
// process folder and home folder the tests choose.
#include "system/drives.h"

#include <gtest/gtest.h>

#include "support/error_code.h"

#include <set>

#include "text/encoding.h"
#include "system/file_system.h"
#include "text/runtime_error.h"

namespace headly {
namespace {

// Folders that exist are listed by the test; nothing can be opened.
class FolderFake : public FileSystem {
 public:
  std::set<std::string> folders{"/"};
  std::string cwd = "/", home = "/root";

  std::unique_ptr<NativeFile> openForReading(const std::string&) override { raise(63); }
  std::unique_ptr<NativeFile> createNew(const std::string&) override { raise(63); }
  std::unique_ptr<NativeFile> openForAppending(const std::string&) override { raise(63); }
  std::unique_ptr<NativeFolder> openFolder(const std::string&) override { raise(63); }
  EntryKind kind(const std::string& path) override {
    return folders.count(path) ? EntryKind::Folder : EntryKind::Missing;
  }
  FileStamp stamp(const std::string&) override { raise(63); }
  void removeFile(const std::string&) override {}
  void makeFolder(const std::string&) override {}
  void rename(const std::string&, const std::string&) override {}
  std::string linkTarget(const std::string& path) override { return path; }
  bool mayWrite(const std::string&) override { return true; }
  bool removeUnlocked(const std::string&) override { return false; }
  std::vector<FolderEntry> listFolder(const std::string&) override { return {}; }
  std::string processCurrentFolder() override { return cwd; }
  std::string homeFolder() override { return home; }
};

TEST(Drives, StartFolder) {
  FolderFake fs;
  fs.cwd = "/home/user/データ";
  EXPECT_EQ(Drives(fs).currentFolder(), "C:\\home\\user\\" + sjis("データ"));
  fs.cwd = "/home/yen\xC2\xA5";  // no form that comes back: the home folder
  EXPECT_EQ(Drives(fs).currentFolder(), "C:\\root");
  fs.cwd = "/" + std::string(300, 'x');
  EXPECT_EQ(Drives(fs).currentFolder(), "C:\\root");
  fs.home = "/\xF0\x9F\x98\x80";  // no Shift-JIS form at all: the root
  EXPECT_EQ(Drives(fs).currentFolder(), "C:\\");
  fs.cwd = "/wave\xE3\x80\x9C";  // U+301C is Shift-JIS's U+FF5E
  EXPECT_EQ(Drives(fs).currentFolder(), "C:\\wave" + sjis("～"));
}

TEST(Drives, FullPathNormalForm) {
  FolderFake fs;
  fs.cwd = "/work";
  Drives d(fs);
  EXPECT_EQ(d.fullPath("a.csv"), "C:\\work\\a.csv");
  EXPECT_EQ(d.fullPath("c:\\x\\.\\y\\..\\z"), "C:\\x\\z");
  EXPECT_EQ(d.fullPath("C:\\..\\..\\a"), "C:\\a");
  EXPECT_EQ(d.fullPath("C:\\\\HEADLY"), "C:\\HEADLY");
  EXPECT_EQ(d.fullPath("C:\\work\\..\\"), "C:\\");
  EXPECT_EQ(d.fullPath("C:\\work\\"), "C:\\work");
  EXPECT_EQ(d.fullPath("..\\up"), "C:\\up");
  EXPECT_EQ(d.fullPath("C:"), "C:\\work");
  EXPECT_EQ(d.fullPath("\\top"), "C:\\top");
  EXPECT_EQ(d.fullPath("C:/a/b"), "C:\\a\\b");
  EXPECT_EQ(d.fullPath("D:x"), "D:\\x");  // a drive not in the table has its root as current folder
  EXPECT_EQ(codeOf([&] { d.fullPath("C:\\" + std::string(258, 'n')); }), err::kBadFileName);
  EXPECT_EQ(d.fullPath("C:\\" + std::string(257, 'n')).size(), 260u);
  EXPECT_EQ(codeOf([&] { d.fullPath("C:\\a:b"); }), err::kBadFileName);
  EXPECT_EQ(codeOf([&] { d.fullPath(std::string("C:\\a\0b", 6)); }), err::kBadFileName);
  // Relative to a long current folder the result may pass the limit.
  fs.folders.insert("/" + std::string(250, 'f'));
  d.changeFolder("C:\\" + std::string(250, 'f'));
  EXPECT_EQ(codeOf([&] { d.fullPath(std::string(10, 'g')); }), err::kBadFileName);
}

// ソ (83 5C) and 表 (95 5C) end in the byte of the backslash, which is not a
// separator inside them.
TEST(Drives, DoubleByteCharactersWithABackslashByte) {
  FolderFake fs;
  Drives d(fs);
  const SjisString so = sjis("ソ"), hyo = sjis("表");
  ASSERT_EQ(so.back(), '\\');
  ASSERT_EQ(hyo.back(), '\\');
  EXPECT_EQ(d.fullPath("C:\\" + so + "\\" + hyo + "\\..\\" + hyo), "C:\\" + so + "\\" + hyo);
  EXPECT_EQ(d.fullPath("C:\\" + hyo + "\\"), "C:\\" + hyo);
  EXPECT_EQ(d.toNative("C:\\" + so + "\\" + hyo + ".csv"), "/ソ/表.csv");
  EXPECT_EQ(d.toNative("C:\\" + so + hyo), "/ソ表");
  EXPECT_EQ(d.fromNative("/ソ/表.csv"), "C:\\" + so + "\\" + hyo + ".csv");
  // A lone lead byte at the end has no native form.
  EXPECT_EQ(codeOf([&] { d.toNative("C:\\a\x81"); }), err::kBadFileName);
}

TEST(Drives, NativeFormsAndTheWayBack) {
  FolderFake fs;
  fs.folders.insert("/tmp/data");
  fs.folders.insert("/tmp/data/sub");
  Drives d(fs);
  d.addDrive('D', "/tmp/data/");
  EXPECT_EQ(d.letters(), (std::vector<char>{'c', 'd'}));
  EXPECT_EQ(d.toNative("C:\\home\\sales.csv"), "/home/sales.csv");
  EXPECT_EQ(d.toNative("C:\\"), "/");
  EXPECT_EQ(d.toNative("d:\\"), "/tmp/data");
  EXPECT_EQ(d.toNative("D:\\sub\\a.txt"), "/tmp/data/sub/a.txt");
  // The longest root that holds the path names its drive.
  EXPECT_EQ(d.fromNative("/tmp/data/sub"), "D:\\sub");
  EXPECT_EQ(d.fromNative("/tmp/data"), "D:\\");
  EXPECT_EQ(d.fromNative("/tmp/database"), "C:\\tmp\\database");
  EXPECT_EQ(d.fromNative("/tmp//./x/../data/sub/"), "D:\\sub");
  // Names without a form that comes back unchanged, or that would read as a
  // separator, drive or wildcard inside the program.
  EXPECT_EQ(d.fromNative("/yen\xC2\xA5"), std::nullopt);
  EXPECT_EQ(d.fromNative("/wave\xE3\x80\x9C"), "C:\\wave" + sjis("～"));  // U+301C is Shift-JIS's U+FF5E
  EXPECT_EQ(d.fromNative("/back\\slash"), std::nullopt);
  EXPECT_EQ(d.fromNative("/a:b"), std::nullopt);
  EXPECT_EQ(d.fromNative("/what?"), std::nullopt);
  EXPECT_EQ(d.fromNative("/" + std::string(258, 'x')), std::nullopt);
  EXPECT_EQ(d.fromNative("/ok\xEF\xBD\x9E"), "C:\\ok" + sjis("～"));
}

TEST(Drives, ReadinessAndCurrentFolders) {
  FolderFake fs;
  fs.folders.insert("/media/usb");
  fs.folders.insert("/media/usb/docs");
  fs.folders.insert("/work");
  Drives d(fs);
  d.addDrive('e', "/media/usb");
  d.addDrive('x', "/media/cdrom");  // its root is missing: not ready
  EXPECT_EQ(codeOf([&] { d.checkReady('x'); }), err::kDriveNotReady);
  EXPECT_EQ(codeOf([&] { d.checkReady('q'); }), err::kDriveNotReady);
  EXPECT_EQ(codeOf([&] { d.toNative("X:\\a"); }), err::kDriveNotReady);
  EXPECT_EQ(codeOf([&] { d.toNative("Q:\\a"); }), err::kDriveNotReady);
  EXPECT_EQ(codeOf([&] { d.changeFolder("X:\\"); }), err::kDriveNotReady);

  d.changeFolder("C:\\work");
  d.changeFolder("E:\\docs");
  EXPECT_EQ(d.currentDrive(), 'e');
  EXPECT_EQ(d.currentFolder(), "E:\\docs");
  EXPECT_EQ(d.currentFolder('c'), "C:\\work");
  EXPECT_EQ(d.currentFolder('E'), "E:\\docs");
  // A relative path with a drive letter starts in that drive's own folder.
  EXPECT_EQ(d.fullPath("c:a.txt"), "C:\\work\\a.txt");
  EXPECT_EQ(d.fullPath("a.txt"), "E:\\docs\\a.txt");
  EXPECT_EQ(codeOf([&] { d.changeFolder("E:\\gone"); }), err::kFileNotFound);
  EXPECT_EQ(d.currentFolder(), "E:\\docs");
  d.changeFolder("C:..");
  EXPECT_EQ(d.currentFolder(), "C:\\");
}

}  // namespace
}  // namespace headly
