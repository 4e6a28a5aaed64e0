#include "dialogs/Ranking.h"

#include <algorithm>

#include "core/Editing.h"
#include "core/Text.h"

namespace vornish {

std::vector<RankingRow> RankingRows(const ButtonList& buttons) {
  std::vector<int> order;
  for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
    if (!buttons[static_cast<std::size_t>(i)].File.empty()) order.push_back(i);
  }
  // By the number itself: a text order would need every count padded alike.
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return buttons[static_cast<std::size_t>(a)].Count > buttons[static_cast<std::size_t>(b)].Count;
  });
  std::vector<RankingRow> rows;
  std::size_t rank = 1;
  for (std::size_t row = 0; row < order.size(); ++row) {
    const ButtonRecord& b = buttons[static_cast<std::size_t>(order[row])];
    if (row > 0 && b.Count < buttons[static_cast<std::size_t>(order[row - 1])].Count) rank = row + 1;
    rows.push_back({order[row], b.Title, ToDecimal(b.Count), ToDecimal(static_cast<std::int64_t>(rank))});
  }
  return rows;
}

bool ClearRanking(LauncherModel& model, const std::function<bool(const Message&)>& ask) {
  if (!ask(ClearRankingQuestion()) || !ask(ClearRankingAgainQuestion())) return false;
  ClearCounts(model);
  return true;
}

}  // namespace vornish
