// Writes the benchmark's data file: a Shift-JIS sales list with a header line
// and RECORDS data lines of seven items, every line ended by CR LF.
//
// Items: 地区, 支店, 担当者 (the heading items; a region runs for about
// 125,000 records, a branch for about 25,000, a person for about 50), then
// 品名 (half-width kana and ASCII), 金額 (quoted with a thousands comma from
// 1,000 on), 摘要 (kanji, ASCII and half-width kana, often quoted, with commas
// and doubled quotes; the longest item, wrapped in the full-width case) and
// 数量 (digits and a kanji unit). The generator has its own random numbers, so
// the same RECORDS give the same bytes on every machine.
//
// usage: headly-bench-data RECORDS OUTPUT
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "text/encoding.h"

namespace {

using headly::sjis;

// xorshift64*: small, fast and the same everywhere.
class Random {
 public:
  uint64_t next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1DULL;
  }
  // 0..n-1
  int below(int n) { return int(next() % uint64_t(n)); }
  // lo..hi inclusive
  int between(int lo, int hi) { return lo + below(hi - lo + 1); }

 private:
  uint64_t state_ = 0x9E3779B97F4A7C15ULL;
};

std::vector<std::string> sjisList(std::initializer_list<const char*> utf8) {
  std::vector<std::string> out;
  for (const char* s : utf8) out.push_back(sjis(s));
  return out;
}

const std::vector<std::string> kRegions =
    sjisList({"北海道", "東北", "関東", "中部", "近畿", "中国", "四国", "九州"});
const std::vector<std::string> kCities = sjisList(
    {"札幌", "仙台", "新宿", "渋谷", "池袋", "横浜", "川崎", "千葉", "大宮", "名古屋", "静岡", "金沢", "能登", "大阪",
     "梅田", "難波", "京都", "神戸", "広島", "岡山", "高松", "松山", "福岡", "博多", "熊本", "那覇", "品川", "上野",
     "浦和", "船橋", "立川", "町田", "浜松", "岐阜", "奈良", "姫路", "下関", "徳島", "高知", "長崎"});
const std::vector<std::string> kSurnames = sjisList({"佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺", "山本", "中村",
                                                     "小林", "加藤", "吉田", "山田", "佐々木", "山口", "松本", "井上"});
const std::vector<std::string> kGivenNames = sjisList({"太郎", "花子", "一郎", "美咲", "健太", "由美", "翔", "愛",
                                                       "大輔", "直子", "誠", "恵子", "拓也", "真理", "修", "陽子"});
const std::vector<std::string> kProducts =
    sjisList({"ﾎﾞｰﾙﾍﾟﾝ", "ｼｬｰﾌﾟﾍﾟﾝ", "ﾉｰﾄ", "ﾌｧｲﾙ", "ﾏｰｶｰ", "ｸﾘｯﾌﾟ", "ﾃｰﾌﾟ", "ﾊｻﾐ", "ｶｯﾀｰ", "ﾎｯﾁｷｽ"});
const std::vector<std::string> kProductSizes = sjisList({"", " A4", " B5", "-0.5", " 10P", " 赤", "(L)"});
const std::vector<std::string> kNotes = sjisList({"通常", "定期発注", "春の特売対象", "表参道店より移管", "ID:A-1024 再入荷",
                                                  "ｷｬﾝﾍﾟｰﾝ", "至急", "見積済"});
const std::vector<std::string> kQuotedNotes = sjisList(
    {"在庫僅少, 要確認", "\"\"特価\"\"品、返品不可", "ｾｯﾄ販売, \"\"限定\"\"", "納期:10/15, 分納可"});
const std::vector<std::string> kUnits = sjisList({"個", "箱", "本", "冊", "ｹｰｽ"});

std::string numbered(const std::string& name, int cycle) {
  return cycle == 0 ? name : name + std::to_string(cycle + 1);
}

std::string amount(int yen) {
  if (yen < 1000) return std::to_string(yen);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "\"%d,%03d\"", yen / 1000, yen % 1000);
  return buffer;
}

std::string note(Random& random) {
  const int kind = random.below(10);
  if (kind < 2) return "";
  if (kind < 7) {
    std::string text = kNotes[random.below(int(kNotes.size()))];
    if (kind == 6) text += sjis("・") + kNotes[random.below(int(kNotes.size()))];
    return text;
  }
  return "\"" + kQuotedNotes[random.below(int(kQuotedNotes.size()))] + "\"";
}

// One heading item: a value that holds for a random run of records.
class Heading {
 public:
  explicit Heading(int meanRun) : meanRun_(meanRun) {}
  // True when the value changes at this record.
  bool advance(Random& random) {
    if (left_ > 0) {
      --left_;
      return false;
    }
    left_ = random.between(meanRun_ / 2, meanRun_ + meanRun_ / 2) - 1;
    ++count_;
    return true;
  }
  int count() const { return count_; }

 private:
  int meanRun_;
  int left_ = 0;
  int count_ = -1;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s RECORDS OUTPUT\n", argv[0]);
    return 2;
  }
  const long records = std::strtol(argv[1], nullptr, 10);
  std::FILE* out = std::fopen(argv[2], "wb");
  if (records < 1 || !out) {
    std::fprintf(stderr, "%s: bad record count or cannot write %s\n", argv[0], argv[2]);
    return 2;
  }
  Random random;
  Heading region(125000), branch(25000), person(50);
  std::string regionValue, branchValue, personValue;
  int personIndex = -1;

  std::string buffer = sjis("地区,支店,担当者,品名,金額,摘要,数量") + "\r\n";
  for (long r = 0; r < records; ++r) {
    if (region.advance(random)) {
      const int n = region.count();
      regionValue = numbered(kRegions[size_t(n) % kRegions.size()], n / int(kRegions.size()));
    }
    if (branch.advance(random)) {
      const int n = branch.count();
      branchValue = numbered(kCities[size_t(n) % kCities.size()], n / int(kCities.size())) + sjis("支店");
    }
    if (person.advance(random)) {
      // A person differs from the one before, so that every run is a break.
      personIndex = (personIndex + 1 + random.below(255)) % 256;
      personValue = kSurnames[size_t(personIndex) / 16] + kGivenNames[size_t(personIndex) % 16];
    }
    buffer += regionValue;
    buffer += ',';
    buffer += branchValue;
    buffer += ',';
    buffer += personValue;
    buffer += ',';
    buffer += kProducts[random.below(int(kProducts.size()))];
    buffer += kProductSizes[random.below(int(kProductSizes.size()))];
    buffer += ',';
    buffer += amount(random.between(100, 99999));
    buffer += ',';
    buffer += note(random);
    buffer += ',';
    buffer += std::to_string(random.between(1, 500));
    buffer += kUnits[random.below(int(kUnits.size()))];
    buffer += "\r\n";
    if (buffer.size() > (1 << 20)) {
      std::fwrite(buffer.data(), 1, buffer.size(), out);
      buffer.clear();
    }
  }
  std::fwrite(buffer.data(), 1, buffer.size(), out);
  if (std::fclose(out) != 0) {
    std::fprintf(stderr, "%s: write to %s failed\n", argv[0], argv[2]);
    return 1;
  }
  return 0;
}
