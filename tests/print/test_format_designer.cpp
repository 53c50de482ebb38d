#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "print/format_designer.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/recording_file_writer.h"
#include "tests/support/temporary_folder.h"

namespace {

using TNames = std::vector<std::string>;
using TScript = std::deque<std::optional<std::string>>;  // a name typed and OK, or Cancel

// Editors and file dialogs answered from scripts; an empty script cancels.
class TScriptedWindows : public TVpFormatDesignerWindows {
 public:
  bool EditFormat(TVpFormatEditForm& form) override { return Answer(FormatNames, form.Name); }
  bool EditElement(TVpElementEditForm& form) override {
    if (OnElement) OnElement(form);
    return Answer(ElementNames, form.Name);
  }
  std::optional<std::string> ChooseFileToOpen() override { return Next(OpenNames); }
  std::optional<std::string> ChooseFileToSave(const std::string& proposed) override {
    Proposed.push_back(proposed);
    return Next(SaveNames);
  }

  TScript FormatNames, ElementNames, OpenNames, SaveNames;
  std::function<void(TVpElementEditForm&)> OnElement;
  TNames Proposed;

 private:
  static std::optional<std::string> Next(TScript& script) {
    if (script.empty()) return std::nullopt;
    std::optional<std::string> next = script.front();
    script.pop_front();
    return next;
  }
  static bool Answer(TScript& script, std::string& name) {
    const std::optional<std::string> next = Next(script);
    if (next) name = *next;
    return next.has_value();
  }
};

TVpPrintFormatElementItem Element(const std::string& name, TVpItemType type = itDayView) {
  TVpPrintFormatElementItem element;
  element.ElementName = name;
  element.ItemType = type;
  return element;
}

struct TDesignerTest : ::testing::Test {
  TFakeMessagePoster poster;
  TRecordingFileWriter writer;
  TVpPrinter printer{poster, writer};
  TFakeMessageBoxes messages;
  TScriptedWindows windows;

  // The printer's formats, named as given, each with the elements given.
  void AddFormats(const TNames& names, const std::vector<TVpPrintFormatElementItem>& elements = {}) {
    for (const std::string& name : names) {
      TVpPrintFormatItem format;
      format.SetFormatName(name);
      format.Elements = elements;
      printer.MutablePrintFormats().push_back(format);
    }
  }
  TNames FormatNames() const {
    TNames names;
    for (const auto& format : printer.PrintFormats()) names.push_back(format.FormatName());
    return names;
  }
  TNames MessageTexts() const {
    TNames texts;
    for (const auto& shown : messages.Shown) texts.push_back(shown.Text);
    return texts;
  }
};

const std::string kDuplicateB = "A format named B already exists.\nPlease use another name.";

TEST_F(TDesignerTest, NewAndEditFormatRefuseANameAnotherFormatHas) {
  struct TCase {
    const char* Title;
    bool Edit;  // Edit on format "A" rather than New
    TScript Typed;
    TNames Formats;
    TNames Messages;
    bool Modified;
  };
  const std::vector<TCase> cases = {
      {"new, duplicate then fresh", false, {"B", "C"}, {"A", "B", "C"}, {kDuplicateB}, true},
      {"new, duplicate then cancel", false, {"B", std::nullopt}, {"A", "B"}, {kDuplicateB}, false},
      {"new, empty name", false, {""}, {"A", "B"}, {"Please supply a Format Name"}, false},
      {"edit, duplicate then fresh", true, {"B", "C"}, {"C", "B"}, {kDuplicateB}, true},
      {"edit, duplicate then cancel", true, {"B", std::nullopt}, {"A", "B"}, {kDuplicateB}, false},
      {"edit, own name kept", true, {"A"}, {"A", "B"}, {}, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Title);
    printer.MutablePrintFormats().clear();
    messages.Shown.clear();
    AddFormats({"A", "B"});
    TVpFormatDesigner designer(printer, messages, windows);
    windows.FormatNames = c.Typed;
    if (c.Edit) {
      designer.SelectFormatEntry(0);
      designer.EditFormat();
    } else {
      designer.NewFormat();
    }
    EXPECT_EQ(FormatNames(), c.Formats);
    EXPECT_EQ(MessageTexts(), c.Messages);
    EXPECT_EQ(designer.Modified(), c.Modified);
    EXPECT_TRUE(windows.FormatNames.empty());
  }
}

TEST_F(TDesignerTest, TheFirstFormatOfANewFileIsSelectedForItsElements) {
  TVpFormatDesigner designer(printer, messages, windows);
  EXPECT_EQ(designer.Caption(), "Print Format Designer - <Unnamed>");
  EXPECT_FALSE(designer.Buttons().FormatEdit);
  EXPECT_FALSE(designer.Buttons().ElementNew);
  windows.FormatNames = {"Week"};
  designer.NewFormat();
  EXPECT_EQ(designer.SelectedFormatEntry(), 0);
  EXPECT_TRUE(designer.Buttons().ElementNew);
  EXPECT_FALSE(designer.Buttons().ElementEdit);
  windows.ElementNames = {"Day", "Day", "Caption"};
  designer.NewElement();
  designer.NewElement();
  EXPECT_EQ(designer.ElementEntries(), (TNames{"Day", "Caption"}));
  EXPECT_EQ(MessageTexts(), (TNames{"An Element named Day already exists.\nPlease use another name."}));
  EXPECT_EQ(designer.SelectedElement(), 1);
  EXPECT_FALSE(designer.Buttons().FormatDelete);  // while an element is selected
}

// Opening the designer changes nothing about what is printed: the active format is the one
// selected, whatever its place in the sorted list.
TEST_F(TDesignerTest, TheDesignerOpensOnTheActiveFormat) {
  AddFormats({"Task List", "Day", "Address Book"});
  TVpFormatDesigner designer(printer, messages, windows);
  EXPECT_EQ(designer.SelectedFormatEntry(), 2) << "Address Book, Day, Task List";
  EXPECT_EQ(printer.ActiveFormatIndex(), 0);
  EXPECT_TRUE(designer.Buttons().ElementNew);
}

TEST_F(TDesignerTest, DeletingAnElementRemovesTheSelectedOneOnly) {
  AddFormats({"A"}, {Element("Same", itDayView), Element("Other"), Element("Same", itCaption)});
  TVpFormatDesigner designer(printer, messages, windows);
  designer.SelectFormatEntry(0);
  designer.SelectElement(2);
  designer.DeleteElement();
  const auto& elements = printer.PrintFormats()[0].Elements;
  ASSERT_EQ(elements.size(), 2u);
  EXPECT_EQ(elements[0].ItemType, itDayView);
  EXPECT_EQ(designer.ElementEntries(), (TNames{"Same", "Other"}));
  EXPECT_TRUE(designer.Modified());
}

TEST_F(TDesignerTest, PrintOrderMovesTheSelectedElementAndItsButtonsFollow) {
  AddFormats({"A"}, {Element("a"), Element("b"), Element("c")});
  TVpFormatDesigner designer(printer, messages, windows);
  designer.SelectFormatEntry(0);
  designer.SelectElement(0);
  EXPECT_FALSE(designer.Buttons().MoveUp);
  struct TMove {
    int Direction;
    TNames Order;
    int Selected;
    bool Up, Down;
  };
  const std::vector<TMove> moves = {
      {+1, {"b", "a", "c"}, 1, true, true},  {+1, {"b", "c", "a"}, 2, true, false},
      {+1, {"b", "c", "a"}, 2, true, false},  // already last
      {-1, {"b", "a", "c"}, 1, true, true},  {-1, {"a", "b", "c"}, 0, false, true},
  };
  for (const TMove& m : moves) {
    designer.MoveElement(m.Direction);
    EXPECT_EQ(designer.ElementEntries(), m.Order);
    EXPECT_EQ(designer.SelectedElement(), m.Selected);
    EXPECT_EQ(designer.Buttons().MoveUp, m.Up);
    EXPECT_EQ(designer.Buttons().MoveDown, m.Down);
  }
  EXPECT_TRUE(designer.Modified());
}

TEST_F(TDesignerTest, TheSaveQuestionKeepsTheDesignerOpenUnlessTheChangesAreSettled) {
  TTemporaryFolder folder;
  struct TCase {
    const char* Title;
    TMessageResult Answer;
    std::optional<std::string> SaveAs;
    bool Closes;
    int Writes;
  };
  const std::vector<TCase> cases = {
      {"yes, saved", mrYes, "saved.xml", true, 1},
      {"yes, save dialog cancelled", mrYes, std::nullopt, false, 0},
      {"no", mrNo, std::nullopt, true, 0},
      {"cancel", mrCancel, "unused.xml", false, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Title);
    printer.MutablePrintFormats().clear();
    printer.SetFormatsFileName("");
    AddFormats({"A"});
    TVpFormatDesigner designer(printer, messages, windows);
    EXPECT_TRUE(designer.Close());  // nothing changed, nothing asked
    designer.SelectFormatEntry(0);
    designer.DeleteFormat();
    messages.Shown.clear();
    messages.Answers = {c.Answer};
    windows.SaveNames = {c.SaveAs ? std::optional(folder.File(*c.SaveAs)) : std::nullopt};
    writer.Written.clear();
    EXPECT_EQ(designer.Close(), c.Closes);
    EXPECT_EQ(MessageTexts(), (TNames{"Save changes to <Unnamed>?"}));
    EXPECT_EQ(writer.TotalWrites(), c.Writes);
    // New File asks the same way and keeps the formats unless it may go on.
    AddFormats({"B"});
    messages.Answers = {c.Answer};
    windows.SaveNames = {std::nullopt};
    designer.NewFile();
    EXPECT_EQ(printer.PrintFormats().empty(), c.Closes);
  }
}

TEST_F(TDesignerTest, SavingProposesUnnamedAndAFailedWriteIsReported) {
  TTemporaryFolder folder;
  TVpFormatDesigner designer(printer, messages, windows);
  windows.FormatNames = {"A"};
  designer.NewFormat();
  writer.Fail = true;
  windows.SaveNames = {folder.File("formats.xml"), folder.File("formats.xml")};
  EXPECT_FALSE(designer.SaveFile());
  EXPECT_TRUE(designer.Modified());
  EXPECT_EQ(messages.Shown.size(), 1u);
  EXPECT_EQ(designer.FormatFileName(), "<Unnamed>");
  writer.Fail = false;
  EXPECT_TRUE(designer.SaveFile());
  EXPECT_EQ(windows.Proposed, (TNames{"Unnamed.xml", "Unnamed.xml"}));
  EXPECT_EQ(designer.Caption(), "Print Format Designer - " + folder.File("formats.xml"));
  EXPECT_EQ(printer.FormatsFileName(), folder.File("formats.xml"));
  EXPECT_FALSE(designer.Modified());

  designer.NewFile();
  EXPECT_TRUE(printer.PrintFormats().empty());
  windows.OpenNames = {folder.File("formats.xml")};
  designer.LoadFile();
  EXPECT_EQ(FormatNames(), (TNames{"A"}));
  windows.OpenNames = {folder.File("missing.xml")};
  designer.LoadFile();
  EXPECT_EQ(messages.Shown.size(), 2u);  // the missing file is reported
}

TEST_F(TDesignerTest, CancellingTheElementEditorKeepsTheCaptionTypedAlready) {
  AddFormats({"A"}, {Element("Title", itCaption)});
  TVpFormatDesigner designer(printer, messages, windows);
  designer.SelectFormatEntry(0);
  designer.SelectElement(0);
  windows.OnElement = [](TVpElementEditForm& form) {
    form.SetCaptionText("$Date");
    form.SetFieldText(efTop, "7");
  };
  designer.EditElement();  // cancelled
  const TVpPrintFormatElementItem& element = printer.PrintFormats()[0].Elements[0];
  EXPECT_EQ(element.Caption.Caption, "$Date");
  EXPECT_EQ(element.Top, 0);
  EXPECT_TRUE(designer.Modified());
}

TEST(PrinterDeleteFormat, TheActiveFormatStaysTheSameWherePossible) {
  struct TCase {
    int Active, Deleted, Expected;
  };
  const std::vector<TCase> cases = {
      {0, 0, 0}, {1, 0, 0}, {1, 2, 1}, {2, 1, 1}, {2, 2, 1}, {1, 1, 1}, {1, 5, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "active " << c.Active << ", deleted " << c.Deleted);
    TFakeMessagePoster poster;
    TRecordingFileWriter writer;
    TVpPrinter printer(poster, writer);
    printer.MutablePrintFormats().resize(3);
    printer.SetActiveFormatIndex(c.Active);
    printer.DeleteFormat(c.Deleted);
    EXPECT_EQ(printer.ActiveFormatIndex(), c.Expected);
  }
}

}  // namespace
