#include "buttons/DragDrop.h"

#include <gtest/gtest.h>

#include "Fakes.h"
#include "buttons/Launch.h"

namespace vornish {
namespace {

constexpr OleColor kDef = 0x00ABCDEF;

TEST(DroppedFile, RegistersNameTargetAndFolder) {
  const ButtonRecord b = RegisterDroppedFile(L"C:\\WINDOWS\\NOTEPAD.EXE", kDef, L"D:\\cwd");
  ButtonRecord expected = EmptyButton(kDef);
  expected.Title = L"NOTEPAD.EXE";
  expected.File = L"C:\\WINDOWS\\NOTEPAD.EXE";
  expected.Path = L"C:\\WINDOWS\\";
  EXPECT_EQ(b, expected) << "count 0, standard colour, unlocked, normal window";
}

TEST(DroppedFile, DriveRootsSpacesAndBareNames) {
  const ButtonRecord root = RegisterDroppedFile(L"E:\\", kDef, L"D:\\cwd");
  EXPECT_EQ(root.Title, L"");
  EXPECT_EQ(root.Path, L"E:\\");
  const ButtonRecord spaced = RegisterDroppedFile(L"C:\\My Documents\\memo 1.txt", kDef, L"D:\\cwd");
  EXPECT_EQ(spaced.Title, L"memo 1.txt");
  EXPECT_EQ(spaced.Path, L"C:\\My Documents\\");
  const ButtonRecord bare = RegisterDroppedFile(L"memo.txt", kDef, L"D:\\cwd");
  EXPECT_EQ(bare.Title, L"memo.txt");
  EXPECT_EQ(bare.Path, L"D:\\cwd\\");
}

TEST(DroppedFile, LockedButtonReceivesThePathAsOneArgument) {
  testing::FakeFileSystem fs;
  fs.currentDirectory = L"C:\\L";
  const LaunchPlan program = PlanLaunch(L"C:\\Tools\\editor.exe", L"", DroppedFileParameter(L"C:\\memo.txt"), 1, fs);
  EXPECT_EQ(program.commandLine, L"C:\\Tools\\editor.exe C:\\memo.txt") << "no spaces: as it always was";
  const LaunchPlan spaced =
      PlanLaunch(L"C:\\Tools\\editor.exe", L"", DroppedFileParameter(L"C:\\My Documents\\memo.txt"), 1, fs);
  EXPECT_EQ(spaced.commandLine, L"C:\\Tools\\editor.exe \"C:\\My Documents\\memo.txt\"");
  const LaunchPlan document =
      PlanLaunch(L"C:\\Docs\\viewer.lnk", L"C:\\Docs", DroppedFileParameter(L"C:\\My Documents\\memo.txt"), 2, fs);
  EXPECT_EQ(document.kind, LaunchPlan::Kind::Shell);
  EXPECT_EQ(document.parameters, L"\"C:\\My Documents\\memo.txt\"");
  EXPECT_EQ(document.file, L"C:\\Docs\\viewer.lnk");
}

TEST(Swap, TwiceRestoresTheOrderAndCountsTravel) {
  ButtonList buttons;
  for (int i = 0; i < 6; ++i) {
    ButtonRecord b = EmptyButton(kDef);
    b.Title = std::wstring(1, static_cast<wchar_t>(L'A' + i));
    b.Count = i * 10;
    buttons.push_back(b);
  }
  const ButtonList original = buttons;
  SwapButtons(buttons, 2, 5);
  EXPECT_EQ(buttons[2].Title, L"F");
  EXPECT_EQ(buttons[5].Title, L"C");
  EXPECT_EQ(buttons[5].Count, 20);
  EXPECT_EQ(buttons[0], original[0]);
  SwapButtons(buttons, 5, 2);
  EXPECT_EQ(buttons, original);
  SwapButtons(buttons, 3, 3);
  EXPECT_EQ(buttons, original) << "onto itself: nothing changes";
  SwapButtons(buttons, 3, 9);
  EXPECT_EQ(buttons, original);
}

TEST(DragFeedback, ImagesFollowThePointer) {
  DragFeedback f;
  EXPECT_EQ(f.Image(), DragImage::Drag);
  EXPECT_EQ(f.MoveTo(DragPlace::SourceButton), DragImage::Drag);
  EXPECT_EQ(f.MoveTo(DragPlace::OtherButton, 4), DragImage::Drop) << "entering another button";
  EXPECT_EQ(f.MoveTo(DragPlace::OtherButton, 4), DragImage::Drop);
  EXPECT_EQ(f.MoveTo(DragPlace::OtherButton, 5), DragImage::Drop) << "straight onto the next one";
  EXPECT_EQ(f.MoveTo(DragPlace::SourceButton), DragImage::Drag) << "leaving it";
  EXPECT_EQ(f.MoveTo(DragPlace::BarOrBackground), DragImage::UnDrop);
  EXPECT_EQ(f.MoveTo(DragPlace::SourceButton), DragImage::UnDrop) << "over the dragged button nothing changes";
  EXPECT_EQ(f.MoveTo(DragPlace::OtherButton, 1), DragImage::Drop);
  EXPECT_EQ(f.MoveTo(DragPlace::Outside), DragImage::Drag) << "leaving a button shows the drag image";
  EXPECT_EQ(f.MoveTo(DragPlace::BarOrBackground), DragImage::UnDrop);
  EXPECT_EQ(f.MoveTo(DragPlace::Outside), DragImage::UnDrop);
}

}  // namespace
}  // namespace vornish
