// Which values stay when new ones need room: the least recently used go.
#include "render/recently_used.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvenda {
namespace {

struct Use {
    std::string key;
    std::size_t weight;  // for a key not kept yet
};

struct Row {
    const char* name;
    std::size_t maxCount;
    std::size_t maxWeight;
    std::vector<Use> uses;          // each: found, or else kept
    std::vector<std::string> kept;  // what is found afterwards
    std::vector<std::string> gone;  // what is not
};

TEST(RecentlyUsed, GivesUpTheLeastRecentlyUsedFirst) {
    const std::vector<Row> rows = {
        {"within bounds all stay", 3, 100, {{"a", 1}, {"b", 1}, {"c", 1}}, {"a", "b", "c"}, {}},
        {"count: the oldest goes", 2, 100, {{"a", 1}, {"b", 1}, {"c", 1}}, {"b", "c"}, {"a"}},
        {"a use keeps it", 2, 100, {{"a", 1}, {"b", 1}, {"a", 0}, {"c", 1}}, {"a", "c"}, {"b"}},
        {"weight: as many go as it takes", 5, 10, {{"a", 4}, {"b", 4}, {"c", 1}, {"d", 8}}, {"c", "d"}, {"a", "b"}},
        {"too heavy for the bound: kept alone", 5, 10, {{"a", 2}, {"b", 2}, {"c", 11}}, {"c"}, {"a", "b"}},
        {"the texts of each second stay",
         3,
         100,
         {{"date", 1}, {"12:00:00", 1}, {"date", 0}, {"12:00:01", 1}, {"date", 0}, {"12:00:02", 1}},
         {"date", "12:00:01", "12:00:02"},
         {"12:00:00"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecentlyUsed<std::string, int> kept(row.maxCount, row.maxWeight);
        int made = 0;
        for (const Use& use : row.uses) {
            if (kept.find(use.key) == nullptr) kept.keep(use.key, ++made, use.weight);
        }
        for (const std::string& key : row.kept) EXPECT_NE(kept.find(key), nullptr) << key;
        for (const std::string& key : row.gone) EXPECT_EQ(kept.find(key), nullptr) << key;
        EXPECT_EQ(kept.size(), row.kept.size());
    }
}

}  // namespace
}  // namespace quorvenda
