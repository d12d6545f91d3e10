#include "takeout/sidecar_names.hpp"
#include "takeout/sidecar_titles.hpp"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> names_for(std::string_view media) {
  std::vector<sidecar_candidate> out;
  const std::size_t count = sidecar_candidates(media, out);
  std::vector<std::string> names;
  for (std::size_t i = 0; i < count; ++i) names.push_back(out[i].name);
  return names;
}

// The first candidates of each quirk, most likely first: a lookup per
// candidate that misses is all a wrong order costs.
TEST(SidecarNames, EveryQuirkOfTakeoutsNaming) {
  const struct {
    std::string_view media;
    std::vector<std::string> first;
  } rows[] = {
      {"IMG_3397.JPG", {"IMG_3397.JPG.supplemental-metadata.json", "IMG_3397.JPG.json"}},
      // Cut to 46 characters before ".json": the newer form's suffix...
      {"PXL_20230101_123456789.jpg",
       {"PXL_20230101_123456789.jpg.supplemental-metada.json",
        "PXL_20230101_123456789.jpg.supplemental-metadata.json",  // newer exports: uncut too
        "PXL_20230101_123456789.jpg.json"}},
      {"Screenshot_20230101-123456_Chrome.jpg",
       {"Screenshot_20230101-123456_Chrome.jpg.suppleme.json",
        "Screenshot_20230101-123456_Chrome.jpg.supplemental-metadata.json",
        "Screenshot_20230101-123456_Chrome.jpg.json"}},
      // ... and then the name itself: both forms become one.
      {"a_very_long_original_file_name_from_a_camera_app.jpg",
       {"a_very_long_original_file_name_from_a_camera_a.json"}},
      // Characters, not bytes: a UTF-8 letter is never split.
      {"Ääkkösiä_ja_vähän_lisää_tekstiä_tässä_nimessää.jpg",
       {"Ääkkösiä_ja_vähän_lisää_tekstiä_tässä_nimessää.json"}},
      // A duplicate's number moves to just before ".json", uncut.
      {"IMG_1234(1).jpg",
       {"IMG_1234.jpg.supplemental-metadata(1).json", "IMG_1234.jpg(1).json",
        "IMG_1234(1).jpg.supplemental-metadata.json", "IMG_1234(1).jpg.json"}},
      {"a_very_long_original_file_name_from_a_camera_app(12).jpg",
       {"a_very_long_original_file_name_from_a_camera_a(12).json"}},
      // Edited copies take the original's, in any of Google's languages.
      {"IMG_1234-edited.jpg", {"IMG_1234.jpg.supplemental-metadata.json", "IMG_1234.jpg.json"}},
      {"IMG_1234-bearbeitet.jpg", {"IMG_1234.jpg.supplemental-metadata.json", "IMG_1234.jpg.json"}},
      {"IMG_1234-modifié.jpg", {"IMG_1234.jpg.supplemental-metadata.json", "IMG_1234.jpg.json"}},
      {"IMG_1234(2)-edited.jpg",
       {"IMG_1234.jpg.supplemental-metadata(2).json", "IMG_1234.jpg(2).json"}},
      // A motion photo's .MP has only the still's; an .MP4 may have its own.
      {"PXL_20230101_123456789.MP",
       {"PXL_20230101_123456789.jpg.supplemental-metada.json",
        "PXL_20230101_123456789.jpg.supplemental-metadata.json", "PXL_20230101_123456789.jpg.json",
        "PXL_20230101_123456789.JPG.supplemental-metada.json"}},
      {"VID_1.MP4",
       {"VID_1.MP4.supplemental-metadata.json", "VID_1.MP4.json",
        "VID_1.jpg.supplemental-metadata.json", "VID_1.jpg.json"}},
      {"README", {"README.supplemental-metadata.json", "README.json"}},
  };
  for (const auto& row : rows) {
    const std::vector<std::string> names = names_for(row.media);
    ASSERT_GE(names.size(), row.first.size()) << row.media;
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + row.first.size()), row.first)
        << row.media;
    for (const std::string& name : names) {
      EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
    }
  }
}

TEST(SidecarNames, EachCandidateKnowsTheUploadItDescribes) {
  std::vector<sidecar_candidate> out;
  sidecar_candidates("IMG_1234(1)-edited.jpg", out);
  EXPECT_EQ(out[0].title, "IMG_1234.jpg");
  const std::size_t count = sidecar_candidates("PXL_1.MP", out);
  EXPECT_EQ(out[0].title, "PXL_1.jpg");
  EXPECT_EQ(out[count - 1].title, "PXL_1.MP");  // its own, last
  // Reused places: a shorter list after a longer one holds no stale names.
  EXPECT_EQ(sidecar_candidates("a.jpg", out), 4u);
  EXPECT_EQ(out[1].name, "a.jpg.json");
  EXPECT_EQ(out[3].name, "a.json");
}

bool names(std::string_view title, std::string_view upload, std::size_t stem_length = 0) {
  return title_names(title, {"", std::string(upload), stem_length, 0});
}

TEST(SidecarNames, ATitleNamesItsOwnFileOrTheLongNameTakeoutCut) {
  EXPECT_TRUE(names("IMG_1.jpg", "IMG_1.jpg"));
  EXPECT_FALSE(names("IMG_2.jpg", "IMG_1.jpg"));
  EXPECT_FALSE(names("IMG_1.jpg.jpg", "IMG_1.jpg"));  // short names are never cut
  const std::string cut = "a_very_long_original_file_name_from_a_camer.jpg";
  EXPECT_TRUE(names("a_very_long_original_file_name_from_a_camera_app.jpg", cut));
  EXPECT_FALSE(names("a_very_long_original_file_name_from_a_camera_app.png", cut));
  // Characters no file name holds, written as '_'; the title itself elsewhere.
  EXPECT_TRUE(names("27/06/12 - 1", "27_06_12 - 1.mov", 12));
  EXPECT_TRUE(names("a:b?.jpg", "a_b_.jpg"));
  EXPECT_FALSE(names("a_b.jpg", "a:b.jpg"));
  EXPECT_FALSE(names("a.b.jpg", "a_b.jpg"));
  // After the stem alone, the upload may have had no extension.
  EXPECT_TRUE(names("2013-08-22", "2013-08-22.png", 10));
  EXPECT_FALSE(names("2013-08-22", "2013-08-22.png"));
  // Unicode's forms: a decomposed title names the composed name.
  EXPECT_TRUE(names("Ha\u0308user.jpg", "H\u00e4user.jpg"));
  EXPECT_FALSE(names("Hauser.jpg", "H\u00e4user.jpg"));
}

TEST(SidecarNames, OnlyJsonFilesAreTakeoutsOwn) {
  EXPECT_TRUE(is_takeout_json("json"));
  EXPECT_TRUE(is_takeout_json("JSON"));
  EXPECT_FALSE(is_takeout_json("jsonl"));
  EXPECT_FALSE(is_takeout_json("jpg"));
}

}  // namespace
