// What a preview reads before the viewer opens: refusals that name their cause, LandXML files
// with an alignment to choose, and the status line that tells what was read.
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>

#include "gui_fixture.h"
#include "model/inherited_messages.h"

namespace vantrels::gui_test {
namespace {

// A LandXML file of two alignments, Main (stations 100 and 200) and Ramp (stations 300, 400
// and 500), each cross section crowned at 10 with its edges at 9.76.
QByteArray TwoAlignments() {
  const auto alignment = [](const char* name, std::initializer_list<int> stations) {
    QByteArray xml = QByteArray("<Alignment name=\"") + name + "\" staStart=\"0\"><CrossSects>\n";
    for (int sta : stations) {
      xml += "<CrossSect sta=\"" + QByteArray::number(sta) + "\" name=\"S" +
             QByteArray::number(sta) +
             "\"><DesignCrossSectSurf name=\"Top\">"
             "<CrossSectPnt code=\"ETW\">-12 9.76</CrossSectPnt>"
             "<CrossSectPnt code=\"CL\">0 10</CrossSectPnt>"
             "<CrossSectPnt code=\"ETW\">12 9.76</CrossSectPnt>"
             "</DesignCrossSectSurf></CrossSect>\n";
    }
    return xml + "</CrossSects></Alignment>\n";
  };
  return "<?xml version=\"1.0\"?>\n<LandXML version=\"1.2\"><Units><Imperial linearUnit=\"foot\"/>"
         "</Units><Alignments>\n" +
         alignment("Main", {100, 200}) + alignment("Ramp", {300, 400, 500}) +
         "</Alignments></LandXML>\n";
}

class PreviewRoad : public GuiTest {
 protected:
  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  QString Status() { return form.statusNote(); }

  QTemporaryDir dir;
};

TEST_F(PreviewRoad, AFileOrAProjectNumberTheBookCannotTakeIsRefusedBeforeTheFontWindow) {
  const QString missing = dir.filePath("gone.csv");
  const struct {
    QString file;
    QString project;
    std::string message;
  } cases[] = {
      {missing, "P-17",
       inherited::kClassifyFailure.Around(missing.toStdString() + ": File not found")},
      {Example("undivided.csv"), "P\u2603",
       "Project Number cannot hold the character U+2603: the page heading is Windows-1252 text"},
      {Example("undivided.csv"), QString::fromUtf8("\u00e9 \xF0\x9F\x98\x80"),
       "Project Number cannot hold the character U+1F600: the page heading is Windows-1252 text"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    messages.shown.clear();
    PreviewFile(c.file, c.project);
    EXPECT_EQ(messages.shown, std::vector<std::string>{c.message});
    EXPECT_TRUE(modal_titles.empty());
    EXPECT_FALSE(ViewerLoaded());
  }
  // A Windows-1252 letter goes into the heading as its byte.
  PreviewFile(Example("undivided.csv"), "P-\u00e9");
  ASSERT_TRUE(ViewerLoaded());
  EXPECT_EQ(document.heading().project_number, "P-\xE9");
}

TEST_F(PreviewRoad, TheStatusLineTellsWhatThePreviewReadAndTheLinesPassedOver) {
  QFile example(Example("divided.csv"));
  ASSERT_TRUE(example.open(QIODevice::ReadOnly));
  QList<QByteArray> lines = example.readAll().split('\n');
  // The first row of the first left block, its side in small letters.
  int changed = -1;
  for (int n = 0; n < lines.size() && changed < 0; ++n) {
    if (lines[n].contains(",LEFT")) changed = n;
  }
  ASSERT_GE(changed, 0);
  lines[changed].replace(",LEFT", ",left");
  PreviewFile(Write("one-left.csv", lines.join('\n')));
  ASSERT_TRUE(ViewerLoaded());
  // A block whose first row is not stored is passed over whole.
  EXPECT_EQ(Status(), "20 stations read; 6 lines not used: lines 5, 6, 7, 8, 9, 10");

  PreviewFile(Example("divided.csv"));
  EXPECT_EQ(Status(), "20 stations read");
}

TEST_F(PreviewRoad, ALandXmlFileOfSeveralAlignmentsAsksForOneAndCancelKeepsTheBookOnShow) {
  const QString xml = Write("two.xml", TwoAlignments());
  std::vector<QStringList> offered;
  QString answer = "Ramp";
  form.ask_alignment = [&](const QStringList& names) {
    offered.push_back(names);
    return answer;
  };
  PreviewFile(xml);
  ASSERT_TRUE(ViewerLoaded()) << (messages.shown.empty() ? "" : messages.shown[0]);
  EXPECT_EQ(offered, (std::vector<QStringList>{{"Main", "Ramp"}}));
  EXPECT_EQ(TheBook().Of(Side::Left).report.size(), 3u);
  EXPECT_TRUE(Status().startsWith("3 stations read; Alignment \"Ramp\": 3 cross sections; "))
      << Status().toStdString();

  answer.clear();
  messages.shown.clear();
  Press(form, names::main_window::kPreview);
  EXPECT_EQ(offered.size(), 2u);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(TheBook().Of(Side::Left).report.size(), 3u);
}

}  // namespace
}  // namespace vantrels::gui_test
