#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text helpers of the LandXML reader: encodings, line numbers, numbers and number lists.
namespace vantrels::landxml {

// The bytes of a file that begins with a UTF-16 byte order mark, as UTF-8; nullopt for any other
// file. An unpaired surrogate becomes U+FFFD.
std::optional<std::string> Utf16ToUtf8(std::string_view bytes);

// How the file's texts (codes, names) become the book's Windows-1252 bytes, by the encoding the
// XML declaration names.
enum class TextEncoding { kUtf8, kLatin1, kOther };
TextEncoding EncodingNamed(std::string_view declared);
// A text of the file in Windows-1252; characters it lacks become '?'.
std::string BookText(std::string_view text, TextEncoding encoding);

// The line (from 1) of the byte at `offset`: lines end at LF, CR LF or a lone CR.
int LineAt(std::string_view text, size_t offset);

// Where the lines of a text end, taken before the text is parsed in place (which overwrites some
// of them), so that messages can still name the line of an offset.
class LineIndex {
 public:
  explicit LineIndex(std::string_view text);
  // LineAt of the text as it was.
  int LineOf(size_t offset) const;

 private:
  // Offsets of the LFs and lone CRs, in order.
  std::vector<uint32_t> ends_;
};

// The largest magnitude read: no station, offset or elevation comes near it, and it keeps every
// sum and product of the computations finite.
inline constexpr double kLargestNumber = 1e9;

// An xsd:double of the file ("12.5", "+3", "-1.2E3"), surrounding blanks and line ends allowed;
// nullopt for anything else, for infinities, NaN and magnitudes above kLargestNumber.
std::optional<double> ReadNumber(std::string_view text);

// The blank-separated numbers of a text.
struct NumberList {
  std::vector<double> values;
  // Set when a word is not a number: the word and its line within the text (0: its first).
  std::optional<std::string> bad_word;
  int bad_line = 0;
};
// Reads into `list`, whose room is reused from one text to the next.
void ReadNumberList(std::string_view text, NumberList& list);

// A text for a message: quoted, at most `limit` characters, control characters escaped so that
// a line break shows where it stands ("12.\n5").
std::string Quoted(std::string_view text, size_t limit = 40);

}  // namespace vantrels::landxml
