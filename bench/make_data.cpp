// Writes a data file of the benchmark: Shift-JIS, a header line and RECORDS
// data lines, every line ended by CR LF, in one of three shapes.
//
// sales (the default), seven items: 地区, 支店, 担当者 (the heading items; a region runs for about
// 125,000 records, a branch for about 25,000, a person for about 50), then
// 品名 (half-width kana and ASCII), 金額 (quoted with a thousands comma from
// 1,000 on), 摘要 (kanji, ASCII and half-width kana, often quoted, with commas
// and doubled quotes; the longest item, wrapped in the full-width case) and
// 数量 (digits and a kanji unit).
//
// narrow, seven short items: 県, 店, 顧客 (the heading items, changing about
// every 50,000, 2,500 and 100 records; 店 and 顧客 in half-width kana), ｺｰﾄﾞ,
// 単価, ﾒﾓ (half-width kana, some quoted with commas and doubled quotes), 数.
//
// wide, sixty items: 地区, 支店, 担当者 as in sales, then 57 items 属性01 to
// 属性57 of codes, dates, amounts, kana and kanji, more than half of their
// fields empty.
//
// The generator has its own random numbers, so the same RECORDS and shape
// give the same bytes on every machine.
//
// usage: headly-bench-data RECORDS OUTPUT [sales|narrow|wide]
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

// ---- sales -------------------------------------------------------------------

void salesRecord(Random& random, std::string& out) {
  static Heading region(125000), branch(25000), person(50);
  static std::string regionValue, branchValue, personValue;
  static int personIndex = -1;
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
  out += regionValue;
  out += ',';
  out += branchValue;
  out += ',';
  out += personValue;
  out += ',';
  out += kProducts[random.below(int(kProducts.size()))];
  out += kProductSizes[random.below(int(kProductSizes.size()))];
  out += ',';
  out += amount(random.between(100, 99999));
  out += ',';
  out += note(random);
  out += ',';
  out += std::to_string(random.between(1, 500));
  out += kUnits[random.below(int(kUnits.size()))];
}


// ---- narrow ------------------------------------------------------------------

const std::vector<std::string> kPrefectures =
    sjisList({"北海道", "青森", "岩手", "宮城", "東京", "神奈川", "愛知", "大阪", "兵庫", "福岡", "沖縄"});
const std::vector<std::string> kKanaShops =
    sjisList({"ｼﾌﾞﾔ", "ｼﾝｼﾞｭｸ", "ｳｴﾉ", "ｲｹﾌﾞｸﾛ", "ﾅﾝﾊﾞ", "ｳﾒﾀﾞ", "ﾃﾝｼﾞﾝ", "ｻｶｴ", "ｵｵﾐﾔ", "ﾁﾊﾞ"});
const std::vector<std::string> kKanaNames = sjisList({"ﾀﾅｶ", "ｽｽﾞｷ", "ｻﾄｳ", "ﾀｶﾊｼ", "ｲﾄｳ", "ﾜﾀﾅﾍﾞ", "ﾔﾏﾓﾄ",
                                                      "ﾅｶﾑﾗ", "ｺﾊﾞﾔｼ", "ｶﾄｳ", "ﾖｼﾀﾞ", "ﾔﾏﾀﾞ"});
const std::vector<std::string> kKanaMemos =
    sjisList({"ｿｸﾉｳ", "ｻｲﾊｯﾁｭｳ", "ﾍﾝﾋﾟﾝ", "ﾐﾂﾓﾘ", "ﾖﾔｸ", "ﾄﾘｵｷ", "ｷｬﾝｾﾙ", "ﾊﾞﾗｳﾘ"});
const std::vector<std::string> kQuotedKanaMemos =
    sjisList({"ｿｸﾉｳ, ｲｿｷﾞ", "\"\"ﾄｸﾍﾞﾂ\"\"ｶｶｸ", "ﾐﾂﾓﾘ, \"\"ｻｲ\"\"", "ﾆｭｳｶ:10/15, ﾌﾞﾝﾉｳ"});

void narrowRecord(Random& random, std::string& out) {
  static Heading prefecture(50000), shop(2500), customer(100);
  static std::string prefectureValue, shopValue, customerValue;
  static int customerIndex = -1;
  if (prefecture.advance(random)) {
    const int n = prefecture.count();
    prefectureValue = numbered(kPrefectures[size_t(n) % kPrefectures.size()], n / int(kPrefectures.size()));
  }
  if (shop.advance(random)) {
    const int n = shop.count();
    shopValue = kKanaShops[size_t(n) % kKanaShops.size()] + std::to_string(n / int(kKanaShops.size()) + 1);
  }
  if (customer.advance(random)) {
    customerIndex = (customerIndex + 1 + random.below(143)) % 144;
    customerValue = kKanaNames[size_t(customerIndex) / 12] + " " + kKanaNames[size_t(customerIndex) % 12].substr(0, 2);
  }
  out += prefectureValue;
  out += ',';
  out += shopValue;
  out += ',';
  out += customerValue;
  out += ',';
  out += char('A' + random.below(26));
  out += std::to_string(random.between(1, 999));
  out += ',';
  out += std::to_string(random.between(10, 9999));
  out += ',';
  const int kind = random.below(10);
  if (kind < 6) {
    out += kKanaMemos[random.below(int(kKanaMemos.size()))];
  } else if (kind < 8) {
    out += '"';
    out += kQuotedKanaMemos[random.below(int(kQuotedKanaMemos.size()))];
    out += '"';
  }
  out += ',';
  out += std::to_string(random.between(1, 99));
}

// ---- wide --------------------------------------------------------------------

constexpr int kWideItems = 60;
const std::vector<std::string> kWords = sjisList({"有", "無", "済", "未", "要確認", "標準", "特注", "ｻﾝﾌﾟﾙ", "至急",
                                                  "返品", "ﾃﾞｰﾀ", "東日本", "西日本"});

void wideAttribute(Random& random, std::string& out) {
  switch (random.below(12)) {
    case 0:
      out += std::to_string(random.between(1, 99999));
      break;
    case 1:
      out += "2026/" + std::to_string(random.between(1, 12)) + "/" + std::to_string(random.between(1, 28));
      break;
    case 2:
      out += kWords[random.below(int(kWords.size()))];
      break;
    case 3:
      out += amount(random.between(100, 999999));
      break;
    case 4:
      out += char('A' + random.below(26));
      out += '-';
      out += std::to_string(random.between(100, 999));
      break;
    default:  // more than half of the fields are empty
      break;
  }
}

void wideRecord(Random& random, std::string& out) {
  static Heading region(100000), branch(5000), person(20);
  static std::string regionValue, branchValue, personValue;
  if (region.advance(random)) regionValue = numbered(kRegions[size_t(region.count()) % kRegions.size()], region.count() / 8);
  if (branch.advance(random))
    branchValue = numbered(kCities[size_t(branch.count()) % kCities.size()], branch.count() / 40) + sjis("支店");
  if (person.advance(random)) {
    const int n = person.count();
    personValue = kSurnames[size_t(n * 7) % 16] + kGivenNames[size_t(n) % 16];
  }
  out += regionValue;
  out += ',';
  out += branchValue;
  out += ',';
  out += personValue;
  for (int item = 3; item < kWideItems; ++item) {
    out += ',';
    wideAttribute(random, out);
  }
}

std::string wideHeader() {
  std::string header = sjis("地区,支店,担当者");
  char name[16];
  for (int item = 3; item < kWideItems; ++item) {
    std::snprintf(name, sizeof name, ",%02d", item - 2);
    header += ',' + sjis("属性") + (name + 1);
  }
  return header;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: %s RECORDS OUTPUT [sales|narrow|wide]\n", argv[0]);
    return 2;
  }
  const long records = std::strtol(argv[1], nullptr, 10);
  const std::string shape = argc == 4 ? argv[3] : "sales";
  std::FILE* out = std::fopen(argv[2], "wb");
  if (records < 1 || !out || (shape != "sales" && shape != "narrow" && shape != "wide")) {
    std::fprintf(stderr, "%s: bad record count or shape, or cannot write %s\n", argv[0], argv[2]);
    return 2;
  }
  Random random;
  std::string buffer = shape == "sales"    ? sjis("地区,支店,担当者,品名,金額,摘要,数量")
                       : shape == "narrow" ? sjis("県,店,顧客,ｺｰﾄﾞ,単価,ﾒﾓ,数")
                                           : wideHeader();
  buffer += "\r\n";
  for (long r = 0; r < records; ++r) {
    if (shape == "sales")
      salesRecord(random, buffer);
    else if (shape == "narrow")
      narrowRecord(random, buffer);
    else
      wideRecord(random, buffer);
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
