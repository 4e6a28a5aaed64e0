// The ranking, tips and version windows without their windows: rows and
// ranks, clearing, paging through the tips, the link labels, the system
// information lookup and which help the help commands open.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "core/StartUp.h"
#include "dialogs/About.h"
#include "dialogs/Ranking.h"
#include "dialogs/Tips.h"

namespace vornish {
namespace {

ButtonRecord Counted(std::wstring title, std::int32_t count, std::wstring file = L"C:\\a.exe") {
  ButtonRecord b;
  b.Title = std::move(title);
  b.File = std::move(file);
  b.Count = count;
  return b;
}

TEST(Ranking, RowsByTheNumberWithSharedRanks) {
  struct Case {
    const char* what;
    ButtonList buttons;
    std::vector<RankingRow> rows;
  };
  const Case cases[] = {
      {"ties share the first one's rank and keep the buttons' order",
       {Counted(L"c", 3), Counted(L"zero", 0), Counted(L"e", 5), Counted(L"", 9, L""), Counted(L"d", 3)},
       {{2, L"e", L"5", L"1"}, {0, L"c", L"3", L"2"}, {4, L"d", L"3", L"2"}, {1, L"zero", L"0", L"4"}}},
      {"all 0", {Counted(L"a", 0), Counted(L"b", 0)}, {{0, L"a", L"0", L"1"}, {1, L"b", L"0", L"1"}}},
      {"beyond nine digits",
       {Counted(L"nine", 999999999), Counted(L"ten", 1000000000), Counted(L"max", 2147483647), Counted(L"seven", 7)},
       {{2, L"max", L"2147483647", L"1"}, {1, L"ten", L"1000000000", L"2"}, {0, L"nine", L"999999999", L"3"},
        {3, L"seven", L"7", L"4"}}},
      {"empty buttons give no row", {Counted(L"", 4, L""), Counted(L"", 0, L"")}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(RankingRows(c.buttons), c.rows) << c.what;
}

TEST(Ranking, ClearedOnlyAfterTwoYes) {
  const std::vector<bool> answers[] = {{false}, {true, false}, {true, true}};
  for (const std::vector<bool>& given : answers) {
    LauncherModel model;
    model.Buttons = {Counted(L"a", 5), Counted(L"", 2, L"")};
    const ButtonList& buttons = model.Buttons;
    std::vector<Message> asked;
    const bool cleared = ClearRanking(model, [&](const Message& question) {
      asked.push_back(question);
      return given[asked.size() - 1];
    });
    EXPECT_EQ(asked.size(), given.size());
    EXPECT_EQ(cleared, given.size() == 2 && given[1]);
    EXPECT_EQ(std::pair(buttons[0].Count, buttons[1].Count), cleared ? std::pair(0, 0) : std::pair(5, 2));
    EXPECT_EQ(model.history.CanUndo(), cleared);
  }
}

TEST(Tips, PagingWrapsAndRandomReachesEveryTip) {
  const std::tuple<int, int, double, int> steps[] = {
      // from, direction, random value -> tip
      {0, 0, 0, 1},  {1, 0, 0, 2},      {11, 0, 0, 12}, {12, 0, 0, 1},  {1, 1, 0, 12},  {5, 1, 0, 4},
      {5, 2, 0, 1},  {5, 2, 0.5, 7},    {5, 2, 0.99999, 12}, {5, 2, 1.0, 12}, {5, 3, 0.5, 5},
  };
  for (const auto& [from, direction, random, to] : steps) {
    EXPECT_EQ(PageTip(from, direction, random), to) << from << " " << direction << " " << random;
  }
  EXPECT_EQ(Tip(0) + Tip(kTipCount + 1), L"") << "only the tips there are";
  EXPECT_EQ(TipNumber(3), L"3. ");
}

TEST(About, TitleAndWhatTheLinksCopyAndOpen) {
  EXPECT_EQ(VersionTitle(1, 0), L"Vornish  Ver.1.0");
  EXPECT_EQ(VersionTitle(2, 13), L"Vornish  Ver.2.13");
  const std::tuple<Link, const wchar_t*, const wchar_t*, const wchar_t*> links[] = {
      {Link::Mail, L"a@b.example; c@d.example", L"a@b.example; c@d.example", L"mailto:a@b.example; c@d.example"},
      {Link::Web, L"ヘルプ：C:\\V\\VRN.chm", L"C:\\V\\VRN.chm", L"C:\\V\\VRN.chm"},
      {Link::Web, L"x：http://h/：y", L"http://h/：y", L"http://h/：y"},
      {Link::Web, L"no colon: here", L"no colon: here", L"no colon: here"},
      {Link::None, L"title", L"", L""},
  };
  for (const auto& [link, caption, copied, opened] : links) {
    EXPECT_EQ(LinkClipboardText(link, caption), copied) << caption;
    EXPECT_EQ(LinkTarget(link, caption), opened) << caption;
  }
  EXPECT_EQ(HelpLinkCaption(L"C:\\Apps\\V"), L"Vornish ヘルプ：C:\\Apps\\V\\VRN.chm");
}

TEST(About, TheLitLinkFollowsThePointer) {
  const std::tuple<Link, Pointer, Link> moves[] = {
      {Link::None, Pointer::MailLabel, Link::Mail}, {Link::Mail, Pointer::WebLabel, Link::Web},
      {Link::Web, Pointer::OtherLabel, Link::Web},  {Link::Web, Pointer::Background, Link::None},
      {Link::None, Pointer::OtherLabel, Link::None}, {Link::Web, Pointer::MailLabel, Link::Mail},
  };
  for (const auto& [lit, pointer, after] : moves) EXPECT_EQ(LitLink(lit, pointer), after);
}

TEST(About, SystemInformationLookupOrderReadingOnly) {
  const std::wstring msinfo = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
  const std::wstring location = L"SOFTWARE\\Microsoft\\Shared Tools Location";
  const std::wstring first = msinfo + L"|PATH", second = location + L"|MSINFO";
  struct Case {
    const char* what;
    std::map<std::tuple<RegistryRoot, std::wstring, std::wstring>, std::wstring> values;
    bool fileThere;
    std::wstring program;
    std::vector<std::wstring> asked;
  };
  const auto machine = [](const std::wstring& key, const wchar_t* name) {
    return std::tuple(RegistryRoot::LocalMachine, key, std::wstring(name));
  };
  const Case cases[] = {
      {"the program's own entry first",
       {{machine(msinfo, L"PATH"), L"C:\\MSINFO\\msinfo32.exe"}, {machine(location, L"MSINFO"), L"C:\\T"}},
       true, L"C:\\MSINFO\\msinfo32.exe", {first}},
      {"then the shared tools' folder", {{machine(location, L"MSINFO"), L"C:\\T"}}, true, L"C:\\T\\MSINFO32.EXE",
       {first, second}},
      {"a folder without the program", {{machine(location, L"MSINFO"), L"C:\\T"}}, false, L"", {first, second}},
      {"the user's own keys do not count", {{std::tuple(RegistryRoot::CurrentUser, msinfo, L"PATH"), L"C:\\x.exe"}},
       true, L"", {first, second}},
      {"not registered", {}, true, L"", {first, second}},
  };
  for (const Case& c : cases) {
    testing::FakeRegistry registry;
    registry.values = c.values;
    testing::FakeFileSystem fs;
    if (c.fileThere) fs.files[L"C:\\T\\MSINFO32.EXE"] = "";
    EXPECT_EQ(SystemInfoProgram(registry, fs), c.program) << c.what;
    EXPECT_EQ(registry.asked, c.asked) << c.what;
  }
}

TEST(Help, WinHelpBesideTheProgramFirstThenTheCompiledHelp) {
  using Viewer = HelpChoice::Viewer;
  testing::FakeFileSystem fs;
  EXPECT_EQ(ChooseHelp(L"C:\\V", fs), (HelpChoice{Viewer::Missing, L"C:\\V\\VRN.chm"}));
  fs.files[L"C:\\V\\VRN.chm"] = "";
  EXPECT_EQ(ChooseHelp(L"C:\\V", fs), (HelpChoice{Viewer::HtmlHelp, L"C:\\V\\VRN.chm"}));
  fs.files[L"C:\\V\\VRN.hlp"] = "";
  EXPECT_EQ(ChooseHelp(L"C:\\V", fs), (HelpChoice{Viewer::WinHelp, L"C:\\V\\VRN.hlp"}));
}

}  // namespace
}  // namespace vornish
