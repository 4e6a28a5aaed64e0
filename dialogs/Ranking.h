// The launch ranking ("起動ランキング") without its window: the rows it lists
// and the two questions before the counts are cleared.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/Launcher.h"
#include "core/Messages.h"

namespace vornish {

struct RankingRow {
  int index = 0;  // the button's index
  std::wstring title;
  std::wstring count;  // plain decimal, no leading zeros
  std::wstring rank;   // equal counts share the rank of the first of them
  bool operator==(const RankingRow&) const = default;
};

// One row per button with a file, most launched first; equal counts keep the
// buttons' order.
std::vector<RankingRow> RankingRows(const ButtonList& buttons);

// "クリア(&C)": two questions, and only after two Yes every count (empty
// buttons' too) becomes 0, a change that can be undone. True when the user
// agreed.
bool ClearRanking(LauncherModel& model, const std::function<bool(const Message&)>& ask);

}  // namespace vornish
