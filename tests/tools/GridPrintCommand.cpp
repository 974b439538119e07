#include "tests/tools/GridPrintCommand.h"

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include "grid/CellGrid.h"
#include "platform/base/LocalTime.h"
#include "platform/gdi/PrintTarget.h"
#include "platform/ui/ScriptedAnswers.h"
#include "tests/tools/EscapedText.h"

namespace {

// What the command line asks for.
struct SPrintRequest {
  bool cancel = false;
  bool selection = false;
  int group = 1;
  std::unique_ptr<SGridPrintInfo> record;
  int width = 850, height = 1100, dpi = 100;
  std::string pdf;
};

int NumberAt(const std::vector<SGridScriptWord>& args, std::size_t i) {
  if (i >= args.size()) throw std::runtime_error("missing arguments");
  try {
    std::size_t used = 0;
    const int value = std::stoi(args[i].text, &used, 0);
    if (used == args[i].text.size()) return value;
  } catch (const std::exception&) {
  }
  throw std::runtime_error("not a number: " + args[i].text);
}

const SGridScriptWord& WordAt(const std::vector<SGridScriptWord>& args, std::size_t i) {
  if (i >= args.size()) throw std::runtime_error("missing arguments");
  return args[i];
}

// "L|C|R|PAGEID|FOOTER|DATEID|TIMEID"
std::unique_ptr<SGridPrintInfo> ParseRecord(const CString& text) {
  std::vector<CString> fields(1);
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] == u'|')
      fields.emplace_back();
    else
      fields.back() += text[i];
  }
  if (fields.size() != 7) throw std::runtime_error("a record has seven fields");
  auto id = [](const CString& field) { return UINT(std::stoul(field.ToUtf8().empty() ? "0" : field.ToUtf8())); };
  auto record = std::make_unique<SGridPrintInfo>();
  record->headerLeft = fields[0];
  record->headerCenter = fields[1];
  record->headerRight = fields[2];
  record->pageFormatId = id(fields[3]);
  record->footerCenter = fields[4];
  record->dateFormatId = id(fields[5]);
  record->timeFormatId = id(fields[6]);
  return record;
}

void PinNow(const std::string& text) {
  SLocalTime now;
  if (std::sscanf(text.c_str(), "%d-%d-%dT%d:%d:%d", &now.year, &now.month, &now.day, &now.hour, &now.minute,
                  &now.second) != 6)
    throw std::runtime_error("not a time: " + text);
  PinCurrentTimeStamp(LocalTimeToStamp(now));
}

SPrintRequest ParseRequest(const std::vector<SGridScriptWord>& args) {
  SPrintRequest request;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i].text;
    if (word == "cancel") {
      request.cancel = true;
    } else if (word == "selection") {
      request.selection = true;
    } else if (word == "group") {
      request.group = NumberAt(args, ++i);
    } else if (word == "record") {
      request.record = ParseRecord(WordAt(args, ++i).value);
    } else if (word == "page") {
      request.width = NumberAt(args, i + 1);
      request.height = NumberAt(args, i + 2);
      request.dpi = NumberAt(args, i + 3);
      i += 3;
    } else if (word == "pdf") {
      request.pdf = WordAt(args, ++i).text;
    } else if (word == "now") {
      PinNow(WordAt(args, ++i).text);
    } else {
      throw std::runtime_error("unknown print option " + word);
    }
  }
  return request;
}

void ListPrintout(const CCellGrid& grid, HDC printer, bool toPdf) {
  const SGridPrintMetrics& m = grid.GetPrintMetrics();
  const int pages = toPdf ? m.verticalPages * m.horizontalPages : GetPrintedPageCount(printer);
  std::printf("pages=%d\nchar_width=%d\nchar_height=%d\nlogical_width=%d\nlogical_height=%d\nbody_height=%d\n",
              pages, m.charWidth, m.charHeight, m.logicalWidth, m.logicalHeight, m.bodyHeight);
  if (toPdf) return;
  for (int page = 0; page < pages; ++page)
    for (const SPrintedText& text : GetPrintedTexts(printer, page))
      std::printf("page=%d text=\"%s\" x=%d y=%d\n", page + 1, EscapedText(text.text).c_str(), text.x, text.y);
}

}  // namespace

void RunGridPrint(CCellGrid& grid, const std::vector<SGridScriptWord>& args) {
  const SPrintRequest request = ParseRequest(args);
  const bool toPdf = !request.pdf.empty();
  HDC printer = nullptr;
  if (!request.cancel) {
    printer = toPdf ? CreatePdfDC(CString::FromUtf8(request.pdf), request.width, request.height, request.dpi)
                    : CreateMemoryPrinterDC(request.width, request.height, request.dpi);
    if (!printer) throw std::runtime_error("the printer cannot be made");
  }
  {
    CScriptedAnswers answers;
    answers.AddPrintDialogAnswer(printer, request.selection);
    grid.Print(nullptr, request.record.get(), request.group);
  }
  PinCurrentTimeStamp(-1);
  if (!printer) {
    std::printf("print=cancelled\n");
    return;
  }
  std::printf("print=done\n");
  ListPrintout(grid, printer, toPdf);
  DeleteDC(printer);
}
