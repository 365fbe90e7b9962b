// Whole sessions that save the layout as a PDF document, checked with the
// real tools: qpdf finds no fault, pdffonts one embedded subset of IPA
// Gothic, and pdftotext the lines of the layout file, in order, with the
// headings a page carries over.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/batch_session.h"
#include "support/pdf_tools.h"
#include "support/sample_data.h"

// A namespace of its own: the test files are compiled in batches.
namespace headly::pdf_session_test {

using test::alikeBlanks;
using test::BatchResult;
using test::BatchSession;
using test::pdfBody;
using test::PdfBody;

std::string classify(int headings, int others, bool fullWidth) {
  std::string rows, otherRows;
  for (int i = 0; i < headings; ++i) rows += " " + std::to_string(i);
  for (int i = 0; i < others; ++i) otherRows += " " + std::to_string(i);
  return "cwd @DIR@\nfile data.csv\ninput 100000\nselect LIST1" + rows + "\npress BUTTON2\nselect LIST1" +
         otherRows + "\npress BUTTON4\ncheck CHECK2\npress BUTTON6\n" + (fullWidth ? "answer Yes\n" : "answer No\n");
}
std::string form4(const std::string& extra = "") { return extra + "press BUTTON9\nanswer Yes\n"; }
std::string form2(const std::string& extra = "") { return extra + "press BUTTON1\nanswer Yes\n"; }

// The session once with the layout file and once with the document.
struct BothOutputs {
  BatchResult text, pdf;
};
BothOutputs runBoth(BatchSession& s, const std::string& session) {
  return {s.run(session + "answer Yes\nfile HEADLY.TXT\n"), s.run(session + "answer Yes\nfile HEADLY PDF\n")};
}

// The layout file's lines, blanks made alike.
std::vector<std::string> layoutLines(BatchSession& s) {
  std::string text = s.readAsUtf8("HEADLY.TXT");
  if (!text.empty() && text.back() == '\x1A') text.pop_back();
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(alikeBlanks(line));
  }
  return lines;
}

std::vector<std::string> alike(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const std::string& line : lines) out.push_back(alikeBlanks(line));
  return out;
}

void expectSoundDocument(BatchSession& s) {
  EXPECT_TRUE(test::qpdfAccepts(s.path("HEADLY.PDF")));
  const std::vector<std::string> fonts = test::pdfFontRows(s.path("HEADLY.PDF"));
  ASSERT_EQ(fonts.size(), 1u);
  // "ABCDEF+IPAGothic  CID TrueType  Identity-H  yes yes yes ..."
  std::istringstream row(fonts[0]);
  std::string name, type1, type2, encoding, embedded, subset, unicode;
  row >> name >> type1 >> type2 >> encoding >> embedded >> subset >> unicode;
  EXPECT_EQ(name.substr(6), "+IPAGothic");
  EXPECT_EQ(embedded + subset + unicode, "yesyesyes") << fonts[0];
}

TEST(PdfSession, SampleSessionHoldsTheLayoutLines) {
  BatchSession s;
  s.writeBytes("sales.csv", test::sampleFile("sales.csv"));
  std::string script = test::sampleFile("sales.script");
  const BatchResult text = s.runWith(script, {s.path("sales.csv")});
  ASSERT_EQ(text.exitCode, 0) << text.transcript;
  const size_t last = script.rfind("file HEADLY.TXT replace");
  ASSERT_NE(last, std::string::npos);
  script.replace(last, std::string("file HEADLY.TXT replace").size(), "file HEADLY PDF replace");
  const BatchResult pdf = s.runWith(script, {s.path("sales.csv")});
  ASSERT_EQ(pdf.exitCode, 0) << pdf.transcript;
  EXPECT_NE(pdf.transcript.find("-> " + s.internalPath("HEADLY.PDF") + " [PDF文書(*.PDF)]\n"), std::string::npos)
      << pdf.transcript;
  expectSoundDocument(s);
  const PdfBody body = pdfBody(s.path("HEADLY.PDF"));
  EXPECT_EQ(alike(body.lines), layoutLines(s));
  ASSERT_EQ(test::pdfPageLines(s.path("HEADLY.PDF")).size(), 1u);
  EXPECT_EQ(test::pdfPageLines(s.path("HEADLY.PDF"))[0][0].substr(0, 9), "sales.csv");
}

TEST(PdfSession, FullWidthMultiLineLayoutHoldsTheLayoutLines) {
  BatchSession s;
  std::string data = "分類,品名,産地\r\n";
  for (int i = 0; i < 40; ++i)
    data.append(i < 25 ? "果物" : "野菜").append(",アイウエオカキクケコサシ").append(std::to_string(i)).append(",青森\r\n");
  s.writeSjisFile("data.csv", data);
  const BothOutputs r = runBoth(s, classify(1, 2, true) + form4() + form4("type EDIT5 10\n") + form2());
  ASSERT_EQ(r.text.exitCode, 0) << r.text.transcript;
  ASSERT_EQ(r.pdf.exitCode, 0) << r.pdf.transcript;
  expectSoundDocument(s);
  const PdfBody body = pdfBody(s.path("HEADLY.PDF"));
  EXPECT_EQ(alike(body.lines), layoutLines(s));
  // 40 records of 4 lines (3 of 品名, the separator) under 2 headings, 49
  // lines a page, no record cut: 果物 and records 1-12; carried 果物 and
  // 13-24; carried 果物, 25, 野菜 and 26-35 (46 lines: 36 would make 50);
  // carried 野菜 and 36-40.
  ASSERT_EQ(body.carried.size(), 4u);
  EXPECT_EQ(body.carried[0], std::vector<std::string>{});
  EXPECT_EQ(body.carried[1], std::vector<std::string>{"果物（続き）"});
  EXPECT_EQ(body.carried[2], std::vector<std::string>{"果物（続き）"});
  EXPECT_EQ(body.carried[3], std::vector<std::string>{"野菜（続き）"});
}

TEST(PdfSession, LongLinesTurnThePagesToLandscape) {
  BatchSession s;
  const std::string wide(150, 'w');
  s.writeSjisFile("data.csv", "A,B\r\nx," + wide + "1\r\nx," + wide + "2\r\ny,short\r\n");
  const BothOutputs r = runBoth(s, classify(1, 1, false) + form4() + form4());
  ASSERT_EQ(r.pdf.exitCode, 0) << r.pdf.transcript;
  expectSoundDocument(s);
  EXPECT_EQ(alike(pdfBody(s.path("HEADLY.PDF")).lines), layoutLines(s));
  const std::string info = test::commandOutput("pdfinfo '" + s.path("HEADLY.PDF") + "'");
  EXPECT_NE(info.find("841.89 x 595.276 pts (A4)"), std::string::npos) << info;
}

// 100 records under two headings, one line each, at 10.5 pt: 49 lines a
// page. Page 1: x and records 1-48. Page 2: x carried, records 49-60, y,
// records 61-95 (1 + 12 + 1 + 35 = 49 lines). Page 3: y carried, records
// 96-100.
TEST(PdfSession, ThreePagesCarryTheirHeadingsAsDerived) {
  BatchSession s;
  std::string data = "A,B\r\n";
  for (int i = 1; i <= 100; ++i) data += std::string(i <= 60 ? "x" : "y") + ",r" + std::to_string(i) + "\r\n";
  s.writeSjisFile("data.csv", data);
  const BothOutputs r = runBoth(s, classify(1, 1, false) + form4() + form4());
  ASSERT_EQ(r.pdf.exitCode, 0) << r.pdf.transcript;
  const PdfBody body = pdfBody(s.path("HEADLY.PDF"));
  ASSERT_EQ(body.carried.size(), 3u);
  EXPECT_EQ(body.carried[0], std::vector<std::string>{});
  EXPECT_EQ(body.carried[1], std::vector<std::string>{"x（続き）"});
  EXPECT_EQ(body.carried[2], std::vector<std::string>{"y（続き）"});
  const auto pages = test::pdfPageLines(s.path("HEADLY.PDF"));
  EXPECT_EQ(alikeBlanks(pages[2][2]), "y（続き）");
  EXPECT_EQ(alikeBlanks(pages[2][3]), " r96");
  EXPECT_EQ(alikeBlanks(pages[1].back()), " 2 / 3");
  EXPECT_EQ(alikeBlanks(pages[2].back()), " 3 / 3");
  EXPECT_EQ(alike(body.lines), layoutLines(s));
}

TEST(PdfSession, ExistingDocumentIsKeptOrReplacedAsAsked) {
  BatchSession s;
  s.writeSjisFile("data.csv", "A,B\r\nx,1\r\n");
  s.writeBytes("HEADLY.PDF", "old");
  const std::string session = classify(1, 1, false) + form4() + form4() + "answer Yes\n";
  const BatchResult kept = s.run(session + "file HEADLY.PDF PDF keep\n");
  ASSERT_EQ(kept.exitCode, 0) << kept.transcript;
  EXPECT_EQ(s.readBytes("HEADLY.PDF"), "old");
  const BatchResult replaced = s.run(session + "file HEADLY PDF replace\n");
  ASSERT_EQ(replaced.exitCode, 0) << replaced.transcript;
  EXPECT_EQ(s.readBytes("HEADLY.PDF").substr(0, 5), "%PDF-");
  EXPECT_TRUE(test::qpdfAccepts(s.path("HEADLY.PDF")));
}

}  // namespace headly::pdf_session_test
