#include "render/pdf_read_back.h"

#include <qpdf/Pl_Discard.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace vantrels {
namespace {

std::vector<PdfOutlineEntry> Entries(std::vector<QPDFOutlineObjectHelper> items,
                                     const std::vector<QPDFPageObjectHelper>& pages) {
  std::vector<PdfOutlineEntry> entries;
  for (QPDFOutlineObjectHelper& item : items) {
    const QPDFObjGen page = item.getDestPage().getObjGen();
    int index = -1;
    for (size_t n = 0; n < pages.size(); ++n) {
      if (pages[n].getObjectHandle().getObjGen() == page) index = static_cast<int>(n);
    }
    entries.push_back({item.getTitle(), index, item.getCount(), Entries(item.getKids(), pages)});
  }
  return entries;
}

}  // namespace

PdfReadBack ReadPdfBack(const std::string& path) {
  QPDF pdf;
  pdf.processFile(path.c_str());
  PdfReadBack back;
  const std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
  back.pages = pages.size();
  QPDFOutlineDocumentHelper outlines(pdf);
  back.outline = Entries(outlines.getTopLevelOutlines(), pages);
  QPDFObjectHandle outline_root = pdf.getRoot().getKey("/Outlines");
  if (outline_root.isDictionary() && outline_root.getKey("/Count").isInteger()) {
    back.outline_count = outline_root.getKey("/Count").getIntValueAsInt();
  }
  QPDFObjectHandle info = pdf.getTrailer().getKey("/Info");
  if (info.isDictionary()) {
    if (info.getKey("/Title").isString()) {
      back.title = info.getKey("/Title").getUTF8Value();
      back.title_bytes = info.getKey("/Title").getStringValue();
    }
    if (info.getKey("/Creator").isString()) back.creator = info.getKey("/Creator").getUTF8Value();
  }
  if (pdf.getRoot().getKey("/PageMode").isName()) {
    back.page_mode = pdf.getRoot().getKey("/PageMode").getName();
  }
  // Writing a copy reads every object and stream, so any damage shows.
  Pl_Discard discard;
  QPDFWriter copy(pdf);
  copy.setOutputPipeline(&discard);
  copy.write();
  back.damaged = pdf.anyWarnings();
  return back;
}

void WriteBlankPdf(const std::string& path, int pages, bool object_streams) {
  QPDF pdf;
  pdf.emptyPDF();
  QPDFPageDocumentHelper helper(pdf);
  for (int n = 0; n < pages; ++n) {
    QPDFObjectHandle page = pdf.makeIndirectObject(
        QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 612 792] /Resources << >> >>"));
    page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, ""));
    helper.addPage(QPDFPageObjectHelper(page), false);
  }
  QPDFWriter writer(pdf, path.c_str());
  writer.setObjectStreamMode(object_streams ? qpdf_o_generate : qpdf_o_disable);
  writer.write();
}

}  // namespace vantrels
