#include "import/landxml_reader.h"

#include <algorithm>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <utility>
#include <vector>

#include "import/landxml_text.h"

namespace vantrels {

namespace {

using landxml::Quoted;
using landxml::TextEncoding;

// Entities and CDATA as XML has them, and the declaration for its encoding. Line ends and blanks
// in attributes stay as written: numbers are read with any blanks around them, and a text that
// holds a line end shows it in messages.
constexpr unsigned kParseOptions =
    pugi::parse_cdata | pugi::parse_escapes | pugi::parse_declaration;

// Element names without a namespace prefix ("land:CrossSect" is a CrossSect).
std::string_view LocalName(const pugi::xml_node& node) {
  const std::string_view name = node.name();
  const size_t colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool Named(const pugi::xml_node& node, std::string_view name) {
  return node.type() == pugi::node_element && LocalName(node) == name;
}

pugi::xml_node Child(const pugi::xml_node& node, std::string_view name) {
  for (const pugi::xml_node child : node.children()) {
    if (Named(child, name)) return child;
  }
  return {};
}

// True when none of the node's children has children of its own.
bool Leafy(const pugi::xml_node& node) {
  for (const pugi::xml_node child : node.children()) {
    if (child.first_child()) return false;
  }
  return true;
}

// The first text child (pugixml keeps no node for text that is only blanks).
pugi::xml_node TextNode(const pugi::xml_node& node) {
  for (const pugi::xml_node child : node.children()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) return child;
  }
  return {};
}

class Reader {
 public:
  explicit Reader(const landxml::LineIndex& lines) : lines_(lines) {}

  // Reads the document, removing each cross section once read so that the memory of the tree
  // goes to the stations as they grow.
  Result<LandXmlFile> Read(pugi::xml_document& document);

 private:
  int LineOf(const pugi::xml_node& node) const {
    const ptrdiff_t offset = node.offset_debug();
    return lines_.LineOf(offset < 0 ? 0 : static_cast<size_t>(offset));
  }
  Failure At(const pugi::xml_node& node, const std::string& what, int lines_after = 0) const {
    return Rejected("LandXML line " + std::to_string(LineOf(node) + lines_after) + ": " + what);
  }
  // Texts of the file, as the book keeps them and messages show them (Windows-1252).
  std::string Text(std::string_view text) const { return landxml::BookText(text, encoding_); }
  std::string Q(std::string_view text) const { return Quoted(Text(text)); }

  Result<double> Number(const pugi::xml_node& node, const char* attribute) const;
  // The numbers of the element's text, into numbers_.values.
  Status Numbers(const pugi::xml_node& node) const;
  Result<std::pair<double, double>> Pair(const pugi::xml_node& node, const char* meaning) const;

  Status ReadUnits(const pugi::xml_node& root, LandXmlFile& file) const;
  Status ReadAlignment(const pugi::xml_node& node, Alignment& alignment) const;
  Status ReadCrossSections(pugi::xml_node node, Alignment& alignment) const;
  Status ReadEquation(const pugi::xml_node& node, Alignment& alignment) const;
  Status ReadProfile(const pugi::xml_node& node, Profile& profile) const;
  Status ReadProfilePoint(const pugi::xml_node& node, ProfilePoint& point) const;
  Status CheckProfile(const pugi::xml_node& node, const pugi::xml_node& last,
                      const Profile& profile) const;
  // Each clears `shallow` when the element has more than two levels below it: pugixml frees a
  // removed element's tree recursively, so only a shallow one may be removed.
  Status ReadCrossSection(const pugi::xml_node& node, CrossSection& section, bool& shallow) const;
  Status ReadDesignSurface(const pugi::xml_node& node, CrossSection& section, size_t& points,
                           bool& shallow) const;
  Status ReadGroundLine(const pugi::xml_node& node, CrossSection& section, bool& shallow) const;

  // The lines of the text as it was before pugixml parsed it in place.
  const landxml::LineIndex& lines_;
  mutable landxml::NumberList numbers_;
  TextEncoding encoding_ = TextEncoding::kUtf8;
};

Result<double> Reader::Number(const pugi::xml_node& node, const char* attribute) const {
  const pugi::xml_attribute value = node.attribute(attribute);
  if (value) {
    if (const std::optional<double> number = landxml::ReadNumber(value.value())) return *number;
  }
  const std::string element(LocalName(node));
  if (!value) return At(node, element + " has no " + attribute);
  return At(node, element + " " + attribute + " " + Q(value.value()) + " is not a number");
}

Status Reader::Numbers(const pugi::xml_node& node) const {
  const pugi::xml_node text = TextNode(node);
  landxml::ReadNumberList(text.value(), numbers_);
  if (numbers_.bad_word) {
    return At(text,
              Q(*numbers_.bad_word) + " in " + std::string(LocalName(node)) + " is not a number",
              numbers_.bad_line);
  }
  return {};
}

// The two numbers of a point element ("offset elevation", "station elevation").
Result<std::pair<double, double>> Reader::Pair(const pugi::xml_node& node,
                                               const char* meaning) const {
  if (Status read = Numbers(node); !read) return read.failure();
  const std::vector<double>& numbers = numbers_.values;
  if (numbers.size() != 2) {
    return At(node, std::string(LocalName(node)) + " " + Q(TextNode(node).value()) +
                        " needs two numbers, " + meaning);
  }
  return std::pair(numbers[0], numbers[1]);
}

Status Reader::ReadUnits(const pugi::xml_node& root, LandXmlFile& file) const {
  const pugi::xml_node units = Child(root, "Units");
  const pugi::xml_node imperial = Child(units, "Imperial");
  const pugi::xml_node metric = Child(units, "Metric");
  if (!imperial && !metric)
    return At(units ? units : root, "the file gives no Imperial or Metric units");
  const pugi::xml_node system = imperial ? imperial : metric;
  const std::string unit = system.attribute("linearUnit").value();
  file.unit = imperial ? LinearUnit::kFeet : LinearUnit::kMeters;
  const bool known = unit.empty() || (imperial ? unit == "foot" || unit == "USSurveyFoot" ||
                                                     unit == "internationalFoot"
                                               : unit == "meter");
  if (!known) {
    return At(system, "linear unit " + Q(unit) + " is not supported (foot, USSurveyFoot or meter)");
  }
  return {};
}

Result<LandXmlFile> Reader::Read(pugi::xml_document& document) {
  for (const pugi::xml_node node : document.children()) {
    if (node.type() == pugi::node_declaration)
      encoding_ = landxml::EncodingNamed(node.attribute("encoding").value());
  }
  const pugi::xml_node root = document.document_element();
  if (!Named(root, "LandXML")) {
    return At(root, "the document is <" + Text(root.name()) + ">, not <LandXML>");
  }
  LandXmlFile file;
  if (Status units = ReadUnits(root, file); !units) return units.failure();
  for (const pugi::xml_node group : root.children()) {
    if (!Named(group, "Alignments")) continue;
    for (const pugi::xml_node node : group.children()) {
      if (!Named(node, "Alignment")) continue;
      if (Status read = ReadAlignment(node, file.alignments.emplace_back()); !read)
        return read.failure();
    }
  }
  return file;
}

Status Reader::ReadAlignment(const pugi::xml_node& node, Alignment& alignment) const {
  alignment.name = Text(node.attribute("name").value());
  for (const pugi::xml_node child : node.children()) {
    if (Named(child, "StaEquation")) {
      if (Status read = ReadEquation(child, alignment); !read) return read;
    } else if (Named(child, "Profile") && !alignment.profile) {
      const pugi::xml_node design = Child(child, "ProfAlign");
      if (!design) continue;
      Profile& profile = alignment.profile.emplace();
      if (Status read = ReadProfile(design, profile); !read) return read;
    } else if (Named(child, "CrossSects")) {
      if (Status read = ReadCrossSections(child, alignment); !read) return read;
    }
  }
  return {};
}

Status Reader::ReadCrossSections(pugi::xml_node node, Alignment& alignment) const {
  for (pugi::xml_node section = node.first_child(); section;) {
    const pugi::xml_node next = section.next_sibling();
    if (Named(section, "CrossSect")) {
      bool shallow = true;
      if (Status read = ReadCrossSection(section, alignment.sections.emplace_back(), shallow);
          !read) {
        return read;
      }
      if (shallow) node.remove_child(section);
    }
    section = next;
  }
  return {};
}

Status Reader::ReadEquation(const pugi::xml_node& node, Alignment& alignment) const {
  const Result<double> internal = Number(node, "staInternal");
  if (!internal) return internal.failure();
  const Result<double> ahead = Number(node, "staAhead");
  if (!ahead) return ahead.failure();
  const std::string_view increment = node.attribute("staIncrement").value();
  if (!increment.empty() && increment != "increasing" && increment != "decreasing") {
    return At(node,
              "StaEquation staIncrement " + Q(increment) + " is neither increasing nor decreasing");
  }
  if (!alignment.equations.empty() && *internal <= alignment.equations.back().internal) {
    return At(node, "StaEquation staInternal " + Q(node.attribute("staInternal").value()) +
                        " does not follow the equation before it");
  }
  alignment.equations.push_back({*internal, *ahead, increment == "decreasing"});
  return {};
}

Status Reader::ReadProfile(const pugi::xml_node& node, Profile& profile) const {
  profile.name = Text(node.attribute("name").value());
  pugi::xml_node last;
  for (const pugi::xml_node child : node.children()) {
    const std::string_view name = LocalName(child);
    if (child.type() != pugi::node_element ||
        (name != "PVI" && name != "ParaCurve" && name != "UnsymParaCurve" && name != "CircCurve"))
      continue;
    ProfilePoint point;
    if (Status read = ReadProfilePoint(child, point); !read) return read;
    if (!profile.points.empty() && point.station <= profile.points.back().station) {
      return At(child, std::string(name) +
                           " does not lie after the profile point before it (stations must grow)");
    }
    if (profile.points.empty() && point.curve != VerticalCurve::kNone)
      return At(child, "a profile cannot begin with a " + std::string(name));
    profile.points.push_back(point);
    last = child;
  }
  return CheckProfile(node, last, profile);
}

Status Reader::CheckProfile(const pugi::xml_node& node, const pugi::xml_node& last,
                            const Profile& profile) const {
  if (profile.points.size() < 2) {
    return At(node, "profile " + Q(node.attribute("name").value()) + " needs at least two points");
  }
  if (profile.points.back().curve != VerticalCurve::kNone)
    return At(last, "a profile cannot end with a " + std::string(LocalName(last)));
  return {};
}

Status Reader::ReadProfilePoint(const pugi::xml_node& node, ProfilePoint& point) const {
  const Result<std::pair<double, double>> where = Pair(node, "station and elevation");
  if (!where) return where.failure();
  point.station = where->first;
  point.elevation = where->second;
  // Each length must be 0 or more, the radius above 0.
  const auto read = [&](const char* attribute, double& value, bool positive) -> Status {
    const Result<double> number = Number(node, attribute);
    if (!number) return number.failure();
    if (*number < 0 || (positive && *number == 0)) {
      return At(node, std::string(LocalName(node)) + " " + attribute + " " +
                          Q(node.attribute(attribute).value()) +
                          (positive ? " must be above 0" : " must not be negative"));
    }
    value = *number;
    return {};
  };
  const std::string_view name = LocalName(node);
  if (name == "ParaCurve") {
    point.curve = VerticalCurve::kParabola;
    return read("length", point.length, false);
  }
  if (name == "UnsymParaCurve") {
    point.curve = VerticalCurve::kUnsymmetricParabola;
    if (Status in = read("lengthIn", point.length_in, false); !in) return in;
    return read("lengthOut", point.length_out, false);
  }
  if (name == "CircCurve") {
    point.curve = VerticalCurve::kCircular;
    return read("radius", point.radius, true);
  }
  return {};
}

Status Reader::ReadCrossSection(const pugi::xml_node& node, CrossSection& section,
                                bool& shallow) const {
  const Result<double> station = Number(node, "sta");
  if (!station) return station.failure();
  section.station = *station;
  section.name = Text(node.attribute("name").value());
  size_t points = 0;
  for (const pugi::xml_node child : node.children()) {
    if (Named(child, "DesignCrossSectSurf")) {
      if (Status read = ReadDesignSurface(child, section, points, shallow); !read) return read;
    } else if (Named(child, "CrossSectSurf")) {
      if (Status read = ReadGroundLine(child, section, shallow); !read) return read;
    } else if (!Leafy(child)) {
      shallow = false;
    }
  }
  return {};
}

Status Reader::ReadDesignSurface(const pugi::xml_node& node, CrossSection& section, size_t& points,
                                 bool& shallow) const {
  DesignSurface& surface = section.design.emplace_back();
  // A link or shape has a handful of points.
  surface.points.reserve(8);
  for (const pugi::xml_node child : node.children()) {
    if (!Leafy(child)) shallow = false;
    if (!Named(child, "CrossSectPnt")) continue;
    if (++points > kMaxDesignPoints) {
      return At(node.parent(), "the cross section holds more than " +
                                   std::to_string(kMaxDesignPoints) + " design points");
    }
    const Result<std::pair<double, double>> where = Pair(child, "offset and elevation");
    if (!where) return where.failure();
    surface.points.push_back({where->first, where->second, Text(child.attribute("code").value())});
  }
  return {};
}

Status Reader::ReadGroundLine(const pugi::xml_node& node, CrossSection& section,
                              bool& shallow) const {
  GroundLine& line = section.ground.emplace_back();
  line.name = Text(node.attribute("name").value());
  for (const pugi::xml_node child : node.children()) {
    if (!Leafy(child)) shallow = false;
    if (!Named(child, "PntList2D")) continue;
    if (Status read = Numbers(child); !read) return read;
    const std::vector<double>& numbers = numbers_.values;
    if (numbers.size() % 2 != 0) {
      return At(child, "PntList2D holds " + std::to_string(numbers.size()) +
                           " numbers; it needs pairs of offset and elevation");
    }
    GroundPiece& piece = line.pieces.emplace_back();
    piece.points.reserve(numbers.size() / 2);
    for (size_t k = 0; k + 1 < numbers.size(); k += 2) {
      if (k > 0 && numbers[k] < numbers[k - 2]) piece.left_to_right = false;
      piece.points.push_back({numbers[k], numbers[k + 1]});
    }
  }
  return {};
}

}  // namespace

bool LooksLikeXml(std::string_view bytes) {
  // A UTF-16 file is judged by its text: a criteria report saved as UTF-16 is not XML.
  const std::optional<std::string> utf16 = landxml::Utf16ToUtf8(bytes.substr(0, 256));
  if (utf16) bytes = *utf16;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  const size_t first = bytes.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && bytes[first] == '<';
}

Result<LandXmlFile> ReadLandXml(std::string_view bytes) {
  return ReadLandXmlInPlace(std::string(bytes));
}

Result<LandXmlFile> ReadLandXmlInPlace(std::string bytes) {
  // UTF-16 is read as UTF-8, so that every offset pugixml gives is an offset of the text.
  if (std::optional<std::string> converted = landxml::Utf16ToUtf8(bytes))
    bytes = std::move(*converted);
  const landxml::LineIndex lines(bytes);
  pugi::xml_document document;
  const pugi::xml_parse_result parsed =
      document.load_buffer_inplace(bytes.data(), bytes.size(), kParseOptions, pugi::encoding_utf8);
  if (!parsed) {
    const int line = lines.LineOf(static_cast<size_t>(std::max<ptrdiff_t>(0, parsed.offset)));
    return Rejected("LandXML line " + std::to_string(line) + ": the XML is not well-formed (" +
                    parsed.description() + ")");
  }
  return Reader(lines).Read(document);
}

}  // namespace vantrels
