// A journal's batches where the workers prepare them (sets slow, as on a
// share): a recorded batch's files are set while the next batch is
// prepared, not in a phase of their own.
#include <gtest/gtest.h>

#include <algorithm>

#include "run/in_memory_run.hpp"

namespace {

TEST(Batch, ARecordedBatchIsSetWhileTheNextIsPrepared) {
  memory_system fs;
  fs.slow_writes = true;
  fs.log_calls = true;
  for (int i = 0; i < 600; ++i) {
    add_file(fs,
             "2010-01-0" + std::to_string(1 + i / 200) + " " + std::to_string(i % 200 / 60) + "." +
                 std::to_string(i % 60) + ".jpg",
             made_at);
  }
  const memory_run r = run_in(fs, {"--jobs", "4"}, "/journal");
  ASSERT_EQ(r.status, 0) << r.err;
  // Batches of 16 and 256 files, then the third of 256 from the 273rd file
  // on: most of the second batch's files are set between the third's
  // first look (each prepared file's old time) and its last. Set in a
  // phase of their own, they would be set before its first look, all but
  // the few on their way, or after its last.
  std::vector<std::size_t> looks;
  for (std::size_t i = 0; i < fs.calls.size(); ++i) {
    if (fs.calls[i].starts_with("look ./")) looks.push_back(i);
  }
  ASSERT_EQ(looks.size(), 600u);
  const auto at = [&](std::size_t look) {
    return fs.calls.begin() + static_cast<std::ptrdiff_t>(looks[look]);
  };
  const auto set_meanwhile = std::count_if(at(16 + 256), at(16 + 256 + 255), [](const auto& call) {
    return call.starts_with("write ");
  });
  EXPECT_GT(set_meanwhile, 128);
  EXPECT_EQ(undo_in(fs, "/journal").status, 0);
}

}  // namespace
