#include "ui/widgets/line_breaks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A face whose blank is 3 pixels, other single-byte characters 6 and
// double-byte characters 11: close to the dialog face at 8 points.
int FakeWidth(const char* text, size_t length) {
  int width = 0;
  for (size_t at = 0; at < length; ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) && at + 1 < length) {
      width += 11;
      ++at;
    } else {
      width += byte == ' ' ? 3 : 6;
    }
  }
  return width;
}

std::vector<std::string> Lines(const std::string& text, int width) {
  std::vector<std::string> lines;
  for (const LineSpan& line : BreakCp932Lines(text, width, FakeWidth)) lines.push_back(text.substr(line.begin, line.length));
  return lines;
}

std::string Repeat(const std::string& piece, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

struct BreakCase {
  const char* name;
  std::string text;
  int width;
  std::vector<std::string> lines;
};

class LineBreakTest : public testing::TestWithParam<BreakCase> {};

TEST_P(LineBreakTest, BreaksWhereTheJapaneseSystemDoes) { EXPECT_EQ(Lines(GetParam().text, GetParam().width), GetParam().lines); }

const std::string kHighDefinition = Repeat(" ", 44) + Repeat("　", 16) + "ハイビジョンで表示可能です";

INSTANTIATE_TEST_SUITE_P(
    Texts, LineBreakTest,
    testing::Values(
        // 44 blanks (132 px) and 11 ideographic spaces (121 px) fill the first
        // line; the phrase follows the other five on the second.
        BreakCase{"high_definition_message_takes_two_lines", kHighDefinition, 260,
                  {Repeat(" ", 44) + Repeat("　", 11), Repeat("　", 5) + "ハイビジョンで表示可能です"}},
        BreakCase{"latin_words_break_at_the_last_blank_that_fits",
                  "Microsoft Windows 7 Professional Service Pack 1", 140,
                  {"Microsoft Windows 7", "Professional Service", "Pack 1"}},
        BreakCase{"japanese_without_blanks_breaks_between_characters",
                  "グラフィック環境もしくはディスプレイがHDCPに対応していません", 260,
                  {"グラフィック環境もしくはディスプレイがHDCPに対", "応していません"}},
        BreakCase{"a_latin_run_breaks_before_a_japanese_character", "HDCP対応", 30, {"HDCP", "対応"}},
        BreakCase{"two_blanks_inside_the_memory_text_vanish_at_the_break",
                  "メモリの増設が必要です  2048MB 以上必要です", 150,
                  {"メモリの増設が必要です", "2048MB 以上必要です"}},
        BreakCase{"a_word_longer_than_the_line_is_cut_between_letters", "ABCDEFGHIJ", 30, {"ABCDE", "FGHIJ"}},
        BreakCase{"a_character_wider_than_the_line_stands_alone", "表示", 5, {"表", "示"}},
        BreakCase{"trail_byte_0x5c_stays_with_its_lead_byte", "表表表", 25, {"表表", "表"}},
        BreakCase{"a_cut_lead_byte_at_the_end_is_one_character", std::string("AB\x83", 3), 100,
                  {std::string("AB\x83", 3)}},
        BreakCase{"cr_lf_and_lf_end_lines", "OS\r\nCPU\nGPU", 100, {"OS", "CPU", "GPU"}},
        BreakCase{"blanks_opening_the_text_take_room", "    AB", 100, {"    AB"}},
        BreakCase{"a_text_that_fits_is_one_line", "4096 MB", 260, {"4096 MB"}},
        BreakCase{"an_empty_text_has_no_lines", "", 260, {}}),
    [](const testing::TestParamInfo<BreakCase>& info) { return std::string(info.param.name); });

}  // namespace
