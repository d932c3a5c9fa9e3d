#include "support/watched_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> removed;
void note_removal(const char* path) { removed.emplace_back(path); }

}  // namespace

// A slot per name, freed for the next one, and no slot for a name when all
// are taken or the name does not fit.
TEST(WatchedFiles, SlotsAreTakenAndFreed) {
    std::vector<int32_t> slots;
    for (int32_t i = 0; i < max_watched_files; ++i) {
        slots.push_back(watch_temp_file("t" + std::to_string(i)));
        ASSERT_GE(slots.back(), 0);
    }
    EXPECT_EQ(watch_temp_file("one more"), -1);
    unwatch_temp_file(slots[3]);
    EXPECT_EQ(watch_temp_file("again"), slots[3]);
    EXPECT_EQ(watch_temp_file(""), -1);
    for (const int32_t s : slots) unwatch_temp_file(s);
    unwatch_temp_file(-1);
    EXPECT_EQ(watch_temp_file(std::string(watched_name_room, 'n')), -1);
    const int32_t longest = watch_temp_file(std::string(watched_name_room - 1, 'n'));
    EXPECT_GE(longest, 0);
    unwatch_temp_file(longest);
}

// The handler's pass removes each watched name once, and never a name that
// was unwatched; a slot it claimed is not freed or filled again, so a name
// is never changed under it.  (The pass claims its slots for good, as the
// run ends after it: this test comes last in its program.)
TEST(WatchedFiles, TheHandlersPassRemovesEachWatchedNameOnce) {
    const int32_t a = watch_temp_file("a.igc.7.1.tmp");
    const int32_t b = watch_temp_file("b.igc.7.2.tmp");
    const int32_t gone = watch_temp_file("c.igc.7.3.tmp");
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);
    ASSERT_GE(gone, 0);
    unwatch_temp_file(gone);
    removed.clear();
    remove_watched_files(note_removal);
    EXPECT_EQ(removed, (std::vector<std::string>{"a.igc.7.1.tmp", "b.igc.7.2.tmp"}));

    unwatch_temp_file(a);  // claimed by the pass: stays claimed
    removed.clear();
    remove_watched_files(note_removal);
    EXPECT_TRUE(removed.empty());
    const int32_t next = watch_temp_file("d.igc.7.4.tmp");
    EXPECT_NE(next, a);
    EXPECT_NE(next, b);
}
