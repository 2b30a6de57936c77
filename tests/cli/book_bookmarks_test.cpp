// The bookmarks, title and file name of vantrels-book's PDFs, read back with libqpdf and checked
// against the Go To lists (--stations) and the page labels (--text) of the same command line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/book_run.h"
#include "cli/qt_book_platform.h"
#include "criteria_generator.h"
#include "render/pdf_read_back.h"
#include "temp_folder.h"

namespace vantrels {
namespace {

namespace fs = std::filesystem;

BookRun Book(const std::vector<std::string>& args) {
  QtBookPlatform platform;
  return RunBook(args, &platform);
}

std::string TempPath(const std::string& name) {
  return TestTempPath("book_bookmarks", name);
}

using Mark = PdfBookmark;

PdfBook ReadPdf(const std::string& path) {
  return ReadPdfBook(path);
}

// The bookmarks the Go To lists call for: each side's stations in list order, once each, opening
// the PDF page whose label (from --text) is the page the list names first for it. `sides` names
// the lists of a divided roadway in order; an undivided roadway has none.
std::vector<Mark> ExpectedMarks(const std::string& stations, const std::string& text,
                                const std::vector<std::string>& sides) {
  std::map<std::pair<std::string, int>, int> pdf_page;
  std::istringstream labels(text);
  int index = 0;
  for (std::string line; std::getline(labels, line);) {
    const auto at = line.find("Page No.:");
    if (at == std::string::npos) continue;
    const std::string side = line.find("(Right)") != std::string::npos ? "Right side" : "Left side";
    pdf_page[{side, std::stoi(line.substr(at + 9))}] = index++;
  }
  std::vector<Mark> lists;
  for (const std::string& title : sides) lists.push_back({title, -1, {}});
  if (lists.empty()) lists.push_back({"Left side", -1, {}});
  size_t side = 0;
  std::istringstream list(stations);
  for (std::string line; std::getline(list, line);) {
    if (line == "\f") {
      ++side;
      continue;
    }
    const std::string station = line.substr(line.find(' ') + 12);
    std::vector<Mark>& marks = lists.at(side).children;
    if (std::any_of(marks.begin(), marks.end(), [&](const Mark& m) { return m.title == station; }))
      continue;
    marks.push_back({station, pdf_page.at({lists[side].title, std::stoi(line)}), {}});
  }
  if (sides.empty()) return lists[0].children;
  std::vector<Mark> outline;
  for (Mark& s : lists) {
    if (s.children.empty()) continue;
    s.page = s.children.front().page;
    outline.push_back(s);
  }
  return outline;
}

struct BookmarkCase {
  const char* name;
  // A file name under examples/, or empty for the generated 2001-station divided book.
  const char* example;
  std::vector<std::string> choice;
};

void PrintTo(const BookmarkCase& c, std::ostream* out) {
  *out << c.name;
}

class PdfBookmarks : public ::testing::TestWithParam<BookmarkCase> {};

TEST_P(PdfBookmarks, OpenThePagesTheGoToListsName) {
  const BookmarkCase& c = GetParam();
  std::string file = *c.example ? std::string(VANTRELS_EXAMPLES) + "/" + c.example : "";
  if (file.empty()) {
    file = TempPath("divided-2001x9.csv");
    std::ofstream(file, std::ios::binary) << bench::GenerateCriteriaFile({true, 2001, 9});
  }
  std::vector<std::string> sides;
  if (file.find("undivided") == std::string::npos) {
    const auto side = std::find(c.choice.begin(), c.choice.end(), "--side");
    if (side == c.choice.end() || side[1] == "left") sides.push_back("Left side");
    if (side == c.choice.end() || side[1] == "right") sides.push_back("Right side");
  }
  auto args = [&](std::vector<std::string> output) {
    std::vector<std::string> all = {"--project", "45-017-02"};
    all.insert(all.end(), c.choice.begin(), c.choice.end());
    all.insert(all.end(), output.begin(), output.end());
    all.push_back(file);
    return all;
  };
  const std::string pdf = TempPath(std::string(c.name) + ".pdf");
  const BookRun written = Book(args({"--pdf", pdf}));
  ASSERT_EQ(written.status, kBookProduced) << written.err;
  const BookRun stations = Book(args({"--stations"}));
  const BookRun text = Book(args({"--cells", "96x63", "--text"}));
  ASSERT_EQ(stations.status, kBookProduced);
  ASSERT_EQ(text.status, kBookProduced);

  const PdfBook read = ReadPdf(pdf);
  const std::vector<Mark> expected = ExpectedMarks(stations.out, text.out, sides);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(read.outline, expected);
  EXPECT_EQ(read.pages, static_cast<size_t>(std::count(text.out.begin(), text.out.end(), '\f')));
  EXPECT_EQ(read.title, fs::path(file).filename().string() + ", Project No: 45-017-02");
  EXPECT_EQ(read.creator, "vantrels");
  fs::remove(pdf);
  if (!*c.example) fs::remove(file);
}

INSTANTIATE_TEST_SUITE_P(
    Books, PdfBookmarks,
    ::testing::Values(BookmarkCase{"undivided_example", "undivided.csv", {}},
                      BookmarkCase{"divided_example", "divided.csv", {}},
                      BookmarkCase{"divided_2001_stations", "", {}},
                      BookmarkCase{
                          "divided_example_right_side", "divided.csv", {"--side", "right"}},
                      BookmarkCase{"undivided_pages_3_to_4", "undivided.csv", {"--pages", "3-4"}},
                      BookmarkCase{"undivided_station_range_from_a_cut_station",
                                   "undivided.csv",
                                   {"--from-station", "2393+00", "--to-station", "2394+00"}},
                      BookmarkCase{"divided_station_range_on_both_sides",
                                   "divided.csv",
                                   {"--from-station", "2392+50", "--to-station", "2393+00"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PdfFileName, ReachesTheSystemByteForByte) {
  const fs::path folder = TempPath("folder_\xff\xfe");
  fs::remove_all(folder);
  fs::create_directories(folder);
  const std::string example = std::string(VANTRELS_EXAMPLES) + "/undivided.csv";
  // Two names that a lossy decoding would make one.
  for (const char* name : {"o\xff\xfe.pdf", "o\xfe\xff.pdf"}) {
    const BookRun run = Book({"--pdf", (folder / name).string(), example});
    ASSERT_EQ(run.status, kBookProduced) << run.err;
  }
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"o\xfe\xff.pdf", "o\xff\xfe.pdf"}));
  EXPECT_EQ(ReadPdf((folder / "o\xff\xfe.pdf").string()).pages, 10u);
  // The title shows what it can of a name that is not UTF-8.
  const std::string input = (folder / "r\xe9.csv").string();
  fs::copy_file(example, input);
  ASSERT_EQ(Book({"--pdf", (folder / "t.pdf").string(), input}).status, kBookProduced);
  EXPECT_EQ(ReadPdf((folder / "t.pdf").string()).title, "r\xEF\xBF\xBD.csv");
  fs::remove_all(folder);
}

}  // namespace
}  // namespace vantrels
