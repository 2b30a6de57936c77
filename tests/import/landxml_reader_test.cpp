#include "import/landxml_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "import/landxml_text.h"

namespace vantrels {
namespace {

// A LandXML file around `alignment_body` (the inside of one Alignment), one element a line:
// the alignment's children begin on line 6.
std::string File(const std::string& alignment_body,
                 const std::string& units = "<Imperial linearUnit=\"foot\"/>") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" version=\"1.2\">\n"
         "<Units>" +
         units +
         "</Units>\n"
         "<Alignments>\n"
         "<Alignment name=\"Main\" staStart=\"0\">\n" +
         alignment_body + "</Alignment>\n</Alignments>\n</LandXML>\n";
}

std::string Section(const std::string& inside, const std::string& sta = "sta=\"100\"") {
  return "<CrossSects>\n<CrossSect " + sta + " name=\"A\">\n" + inside +
         "</CrossSect>\n</CrossSects>\n";
}

TEST(LandXmlReader, ReadsUnitsEquationsProfileSectionsAndGround) {
  const std::string xml = File(
      "<StaEquation staInternal=\"500\" staBack=\"500\" staAhead=\"1200\"/>\n"
      "<StaEquation staInternal=\"800\" staAhead=\"300\" staIncrement=\"decreasing\"/>\n"
      "<Profile name=\"P\"><ProfSurf name=\"EG\"><PntList2D>0 1 5 2</PntList2D></ProfSurf>\n"
      "<ProfAlign name=\"Design\"><PVI>0 100</PVI><ParaCurve length=\"200\">500 110</ParaCurve>\n"
      "<UnsymParaCurve lengthIn=\"10\" lengthOut=\"20\">600 108</UnsymParaCurve>\n"
      "<CircCurve length=\"30\" radius=\"2500\">700 109</CircCurve><PVI>900 100</PVI></ProfAlign>\n"
      "<ProfAlign name=\"Second\"><PVI>0 1</PVI><PVI>1 2</PVI></ProfAlign></Profile>\n" +
      Section("<DesignCrossSectSurf name=\"Top\" side=\"both\">\n"
              "<CrossSectPnt code=\"ETW\">-12 -0.24</CrossSectPnt>\n"
              "<CrossSectPnt>\n  +0.0\t1E-1 </CrossSectPnt>\n"
              "</DesignCrossSectSurf>\n"
              "<CrossSectSurf name=\"ExistingGround\"><PntList2D>-20 1 -10 2\n0 3</PntList2D>"
              "<PntList2D>5 4 9 5</PntList2D></CrossSectSurf>\n"
              "<CrossSectSurf><PntList2D>1 1 0 1</PntList2D></CrossSectSurf>\n"));
  const Result<LandXmlFile> file = ReadLandXml(xml);
  ASSERT_TRUE(file.ok()) << file.failure().message;
  ASSERT_EQ(file->alignments.size(), 1u);
  const Alignment& a = file->alignments[0];
  EXPECT_EQ(file->unit, LinearUnit::kFeet);
  EXPECT_EQ(a.name, "Main");
  ASSERT_EQ(a.equations.size(), 2u);
  EXPECT_EQ(a.equations[0].ahead, 1200);
  EXPECT_FALSE(a.equations[0].decreasing);
  EXPECT_TRUE(a.equations[1].decreasing);
  ASSERT_TRUE(a.profile);
  EXPECT_EQ(a.profile->name, "Design");
  ASSERT_EQ(a.profile->points.size(), 5u);
  EXPECT_EQ(a.profile->points[1].curve, VerticalCurve::kParabola);
  EXPECT_EQ(a.profile->points[1].length, 200);
  EXPECT_EQ(a.profile->points[2].length_out, 20);
  EXPECT_EQ(a.profile->points[3].radius, 2500);
  ASSERT_EQ(a.sections.size(), 1u);
  const CrossSection& s = a.sections[0];
  EXPECT_EQ(s.station, 100);
  ASSERT_EQ(s.design.size(), 1u);
  ASSERT_EQ(s.design[0].points.size(), 2u);
  EXPECT_EQ(s.design[0].points[0].code, "ETW");
  EXPECT_EQ(s.design[0].points[1].code, "");
  EXPECT_EQ(s.design[0].points[1].elevation, 0.1);
  ASSERT_EQ(s.ground.size(), 2u);
  EXPECT_FALSE(s.ground[1].pieces.at(0).left_to_right);
  ASSERT_EQ(s.ground[0].pieces.size(), 2u);
  EXPECT_EQ(s.ground[0].pieces[0].points.size(), 3u);
  EXPECT_EQ(s.ground[0].pieces[1].points[1].elevation, 5);
  EXPECT_TRUE(s.ground[0].pieces[0].left_to_right);
}

TEST(LandXmlReader, ReadsPrefixedNamesMetricUnitsAndUtf16) {
  const std::string xml =
      "\xEF\xBB\xBF<land:LandXML xmlns:land=\"http://www.landxml.org/schema/LandXML-1.1\">"
      "<land:Units><land:Metric linearUnit=\"meter\"/></land:Units><land:Alignments>"
      "<land:Alignment name=\"R\xC3\xA9sum\xC3\xA9 \xE9\x81\x93\"><land:CrossSects>"
      "<land:CrossSect sta=\"5\"/></land:CrossSects></land:Alignment></land:Alignments>"
      "</land:LandXML>";
  std::string utf16 = "\xFF\xFE";
  for (const char c : std::string("<LandXML><Units><Metric/></Units></LandXML>")) {
    utf16 += c;
    utf16 += '\0';
  }
  const Result<LandXmlFile> prefixed = ReadLandXml(xml);
  ASSERT_TRUE(prefixed.ok()) << prefixed.failure().message;
  EXPECT_EQ(prefixed->unit, LinearUnit::kMeters);
  // The book keeps Windows-1252: what it lacks becomes '?'.
  EXPECT_EQ(prefixed->alignments.at(0).name, "R\xE9sum\xE9 ?");
  EXPECT_EQ(prefixed->alignments[0].sections.at(0).station, 5);
  const Result<LandXmlFile> wide = ReadLandXml(utf16);
  ASSERT_TRUE(wide.ok()) << wide.failure().message;
  EXPECT_EQ(wide->unit, LinearUnit::kMeters);
}

struct BadFile {
  std::string xml;
  std::string message;
};

TEST(LandXmlReader, NamesTheLineOfEveryFault) {
  const std::string pnt = "<DesignCrossSectSurf>\n<CrossSectPnt>";
  const std::vector<BadFile> cases = {
      {"<LandXML>\n<Units>\n</LandXML>",
       "LandXML line 3: the XML is not well-formed (Start-end tags mismatch)"},
      {"", "LandXML line 1: the XML is not well-formed (No document element found)"},
      {"\n<Other/>", "LandXML line 2: the document is <Other>, not <LandXML>"},
      {"<LandXML>\n<Units/></LandXML>",
       "LandXML line 2: the file gives no Imperial or Metric units"},
      {File("", "<Metric linearUnit=\"millimeter\"/>"),
       "LandXML line 3: linear unit \"millimeter\" is not supported (foot, USSurveyFoot or meter)"},
      {File(Section("", "name=\"x\"")), "LandXML line 7: CrossSect has no sta"},
      {File(Section("", "sta=\"12\n34\"")),
       "LandXML line 7: CrossSect sta \"12\\n34\" is not a number"},
      {File(Section(pnt + "12.5</CrossSectPnt></DesignCrossSectSurf>\n")),
       "LandXML line 9: CrossSectPnt \"12.5\" needs two numbers, offset and elevation"},
      {File(Section(pnt + "12.\n5 -0.24</CrossSectPnt></DesignCrossSectSurf>\n")),
       "LandXML line 9: CrossSectPnt \"12.\\n5 -0.24\" needs two numbers, offset and elevation"},
      {File(Section(pnt + "1 2\n\n3,5</CrossSectPnt></DesignCrossSectSurf>\n")),
       "LandXML line 11: \"3,5\" in CrossSectPnt is not a number"},
      {File(Section("<CrossSectSurf><PntList2D>1 2\n3</PntList2D></CrossSectSurf>\n")),
       "LandXML line 8: PntList2D holds 3 numbers; it needs pairs of offset and elevation"},
      {File(Section(pnt + "1e400 0</CrossSectPnt></DesignCrossSectSurf>\n")),
       "LandXML line 9: \"1e400\" in CrossSectPnt is not a number"},
      {File("<StaEquation staAhead=\"5\"/>\n"), "LandXML line 6: StaEquation has no staInternal"},
      {File("<StaEquation staInternal=\"5\" staAhead=\"1\"/>\n<StaEquation staInternal=\"5\" "
            "staAhead=\"2\"/>\n"),
       "LandXML line 7: StaEquation staInternal \"5\" does not follow the equation before it"},
      {File("<StaEquation staInternal=\"5\" staAhead=\"1\" staIncrement=\"up\"/>\n"),
       "LandXML line 6: StaEquation staIncrement \"up\" is neither increasing nor decreasing"},
      {File("<Profile><ProfAlign name=\"D\">\n<PVI>0 1</PVI>\n</ProfAlign></Profile>\n"),
       "LandXML line 6: profile \"D\" needs at least two points"},
      {File("<Profile><ProfAlign>\n<PVI>10 1</PVI>\n<PVI>5 1</PVI></ProfAlign></Profile>\n"),
       "LandXML line 8: PVI does not lie after the profile point before it (stations must grow)"},
      {File("<Profile><ProfAlign>\n<ParaCurve length=\"5\">0 "
            "1</ParaCurve>\n</ProfAlign></Profile>\n"),
       "LandXML line 7: a profile cannot begin with a ParaCurve"},
      {File("<Profile><ProfAlign>\n<PVI>0 1</PVI>\n<CircCurve radius=\"9\">5 1</CircCurve>\n"
            "</ProfAlign></Profile>\n"),
       "LandXML line 8: a profile cannot end with a CircCurve"},
      {File("<Profile><ProfAlign>\n<PVI>0 1</PVI>\n<CircCurve radius=\"0\">5 1</CircCurve>\n"
            "</ProfAlign></Profile>\n"),
       "LandXML line 8: CircCurve radius \"0\" must be above 0"},
      {File("<Profile><ProfAlign>\n<PVI>0 1</PVI>\n<UnsymParaCurve lengthIn=\"-1\" "
            "lengthOut=\"2\">5 1</UnsymParaCurve>\n</ProfAlign></Profile>\n"),
       "LandXML line 8: UnsymParaCurve lengthIn \"-1\" must not be negative"},
      {File("<Profile><ProfAlign>\n<PVI>0</PVI>\n</ProfAlign></Profile>\n"),
       "LandXML line 7: PVI \"0\" needs two numbers, station and elevation"},
  };
  for (const BadFile& c : cases) {
    const Result<LandXmlFile> file = ReadLandXml(c.xml);
    ASSERT_FALSE(file.ok()) << c.xml;
    EXPECT_EQ(file.failure().kind, FailureKind::kRejected);
    EXPECT_EQ(file.failure().message, c.message) << c.xml;
  }
}

TEST(LandXmlReader, RefusesACrossSectionOfTooManyDesignPoints) {
  std::string points;
  for (size_t k = 0; k <= kMaxDesignPoints; ++k) points += "<CrossSectPnt>1 2</CrossSectPnt>";
  const Result<LandXmlFile> file =
      ReadLandXml(File(Section("<DesignCrossSectSurf>" + points + "</DesignCrossSectSurf>\n")));
  ASSERT_FALSE(file.ok());
  EXPECT_EQ(file.failure().message,
            "LandXML line 7: the cross section holds more than 5000 design points");
}

TEST(LandXmlReader, ReadsCrossSectionsOfAnyDepth) {
  // A cross section read is removed from the tree, which pugixml does recursively: a deep one
  // stays where it is.
  const int depth = 200000;
  std::string deep;
  for (int k = 0; k < depth; ++k) deep += "<Feature>";
  for (int k = 0; k < depth; ++k) deep += "</Feature>";
  const Result<LandXmlFile> file = ReadLandXml(File(
      Section("<DesignCrossSectSurf><CrossSectPnt>1 2" + deep +
              "</CrossSectPnt></DesignCrossSectSurf>" +
              "<CrossSectSurf><Feature><x><y/></x></Feature></CrossSectSurf>" + deep + "\n") +
      Section("<DesignCrossSectSurf><CrossSectPnt>3 4</CrossSectPnt></DesignCrossSectSurf>\n")));
  ASSERT_TRUE(file.ok()) << file.failure().message;
  ASSERT_EQ(file->alignments[0].sections.size(), 2u);
  EXPECT_EQ(file->alignments[0].sections[0].design[0].points[0].elevation, 2);
  EXPECT_EQ(file->alignments[0].sections[1].design[0].points[0].offset, 3);
}

TEST(LandXmlReader, ExpandsNoEntitiesButThePredefinedOnes) {
  const std::string xml =
      "<!DOCTYPE LandXML [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>\n" +
      File(Section("<DesignCrossSectSurf><CrossSectPnt code=\"&amp;&b;\">1 2</CrossSectPnt>"
                   "</DesignCrossSectSurf>\n"))
          .substr(39);
  const Result<LandXmlFile> file = ReadLandXml(xml);
  ASSERT_TRUE(file.ok()) << file.failure().message;
  EXPECT_EQ(file->alignments[0].sections[0].design[0].points[0].code, "&&b;");
}

TEST(LandXmlText, TellsXmlFromCriteriaReportsAndConvertsTexts) {
  EXPECT_TRUE(LooksLikeXml("  \r\n<?xml version=\"1.0\"?>"));
  EXPECT_TRUE(LooksLikeXml("\xEF\xBB\xBF<LandXML/>"));
  EXPECT_TRUE(LooksLikeXml(std::string("\xFE\xFF\0<", 4)));
  EXPECT_FALSE(LooksLikeXml("\"VANTREL REPORT,Criteria"));
  EXPECT_FALSE(LooksLikeXml(""));
  using landxml::BookText;
  using landxml::TextEncoding;
  EXPECT_EQ(BookText("\xE2\x82\xAC \xC3\xA9 \xFF", TextEncoding::kUtf8), "\x80 \xE9 ?");
  EXPECT_EQ(BookText("\xE9", TextEncoding::kLatin1), "\xE9");
  EXPECT_EQ(BookText("a\x93\x9A", TextEncoding::kOther), "a??");
  EXPECT_EQ(landxml::EncodingNamed(" ISO-8859-1"), TextEncoding::kLatin1);
  EXPECT_EQ(landxml::EncodingNamed("Shift_JIS"), TextEncoding::kOther);
  EXPECT_EQ(landxml::LineAt("a\r\nb\rc\nd", 8), 4);
  EXPECT_EQ(landxml::Quoted(std::string(50, 'x'), 3), "\"xxx...\"");
}

}  // namespace
}  // namespace vantrels
