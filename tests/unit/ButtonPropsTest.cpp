#include "buttons/IconButtonProps.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace vornish {
namespace {

class MapBag : public PropertyBag {
 public:
  std::map<std::wstring, PropertyValue> values;
  std::optional<PropertyValue> Read(std::wstring_view name) const override {
    const auto it = values.find(std::wstring(name));
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  void Write(std::wstring_view name, const PropertyValue& value) override { values[std::wstring(name)] = value; }
};

TEST(IconButtonProps, NewButtonDefaults) {
  const IconButtonProps p;
  EXPECT_EQ(p.ExeState(), 1);
  EXPECT_EQ(p.ExeColor(), 0x8000000Fu);
  EXPECT_FALSE(p.ExeLock());
  EXPECT_TRUE(p.ExeTitle().empty() && p.ExeFile().empty() && p.ExePath().empty() && p.ExeParam().empty() &&
              p.ExeIcon().empty());
  EXPECT_EQ(p.ExeIconNo(), 0);
  EXPECT_EQ(p.ExeCount(), 0);
  EXPECT_EQ(p.ExeSys(), 0);
}

TEST(IconButtonProps, SettersNotifyAndAnUnchangedColourDoesNothing) {
  IconButtonProps p;
  std::vector<std::wstring> changed;
  p.PropertyChanged = [&](std::wstring_view name) { changed.emplace_back(name); };
  p.SetExeTitle(L"x");
  EXPECT_FALSE(p.SetExeColor(0x8000000F));
  EXPECT_TRUE(p.SetExeColor(0x00FF0000));
  p.SetExeTitle(L"");
  EXPECT_EQ(changed, (std::vector<std::wstring>{L"ExeTitle", L"ExeColor", L"ExeTitle"}));
  EXPECT_EQ(p.ExeTitle(), L"");
  EXPECT_EQ(p.ExeColor(), 0x00FF0000u);
}

TEST(IconButtonProps, AssignMirrorsTheRecord) {
  ButtonRecord r;
  r.Title = L"t";
  r.File = L"f";
  r.Path = L"p";
  r.Param = L"a";
  r.State = 3;
  r.Icon = L"i";
  r.IconNo = 2;
  r.Lock = true;
  r.Color = 0x80000010;
  r.Count = 41;
  r.Sys = 4;
  IconButtonProps p;
  p.Assign(r);
  EXPECT_EQ(p.ToRecord(), r);
}

TEST(IconButtonProps, PersistenceSkipsDefaultsAndRestoresEverything) {
  MapBag empty;
  IconButtonProps fromEmpty;
  fromEmpty.SetExeTitle(L"dirty");
  fromEmpty.ReadProperties(empty);
  EXPECT_EQ(fromEmpty.ToRecord(), IconButtonProps().ToRecord()) << "an empty store gives a new button";

  IconButtonProps p;
  IconButtonProps().WriteProperties(empty);
  EXPECT_TRUE(empty.values.empty());

  p.SetExeFile(L"C:\\a.exe");
  p.SetExeColor(0x80000010);
  p.SetExeLock(true);
  MapBag bag;
  p.WriteProperties(bag);
  EXPECT_EQ(bag.values.size(), 3u);
  EXPECT_EQ(std::get<std::int32_t>(bag.values[L"ExeColor"]), -2147483632);

  IconButtonProps restored;
  std::vector<std::wstring> changed;
  restored.PropertyChanged = [&](std::wstring_view name) { changed.emplace_back(name); };
  restored.ReadProperties(bag);
  EXPECT_EQ(restored.ToRecord(), p.ToRecord());
  EXPECT_TRUE(changed.empty()) << "reading sets the values directly";
}

}  // namespace
}  // namespace vornish
