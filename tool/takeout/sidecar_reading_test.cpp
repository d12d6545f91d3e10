#include "takeout/sidecar_reading.hpp"

#include <gtest/gtest.h>

namespace {

constexpr std::string_view real_shape = R"({
  "title": "IMG_3397.JPG",
  "description": "",
  "imageViews": "12",
  "creationTime": {"timestamp": "1600000000", "formatted": "13 Sept 2020, 12:26:40 UTC"},
  "photoTakenTime": {"timestamp": "1258375918", "formatted": "16 Nov 2009, 12:51:58 UTC"},
  "geoData": {"latitude": 0.0, "longitude": 0.0, "altitude": 0.0},
  "people": [{"name": "A"}, {"timestamp": "1"}],
  "url": "https://photos.google.com/photo/x"
})";

TEST(SidecarReading, TakesTheTakenTimeNeverTheUploadTime) {
  const sidecar_reading r = read_sidecar(real_shape);
  EXPECT_EQ(r.fault, sidecar_fault::none);
  EXPECT_EQ(r.taken, 1258375918);
  EXPECT_EQ(r.title, "IMG_3397.JPG");
  // A number is taken as well as a string; before 1970 too.
  EXPECT_EQ(read_sidecar(R"({"photoTakenTime":{"timestamp":-86400}})").taken, -86400);
  EXPECT_EQ(read_sidecar(R"({"photoTakenTime":{"timestamp":"-86400"}})").taken, -86400);
  EXPECT_FALSE(read_sidecar(R"({"photoTakenTime":{"timestamp":"1"}})").title);
}

TEST(SidecarReading, AnythingElseIsAFaultNeverAGuess) {
  const struct {
    std::string_view text;
    sidecar_fault fault;
  } rows[] = {
      {"", sidecar_fault::not_json},
      {"{\"photoTakenTime\":{\"timestamp\":\"1\"}", sidecar_fault::not_json},  // cut short
      {"[{\"photoTakenTime\":{\"timestamp\":\"1\"}}]", sidecar_fault::not_json},
      {"\"1258375918\"", sidecar_fault::not_json},
      {"{\"photoTakenTime\":{\"timestamp\":\"1\"}} {}", sidecar_fault::not_json},
      {"{\"title\":\"\xff\"}", sidecar_fault::not_json},  // not UTF-8
      {"{}", sidecar_fault::no_taken_time},
      {R"({"creationTime":{"timestamp":"1600000000"}})", sidecar_fault::no_taken_time},
      {R"({"a":{"photoTakenTime":{"timestamp":"1"}}})", sidecar_fault::no_taken_time},
      {R"({"photoTakenTime":{"formatted":"16 Nov 2009"}})", sidecar_fault::no_taken_time},
      {R"({"photoTakenTime":"1258375918"})", sidecar_fault::bad_taken_time},
      {R"({"photoTakenTime":{"timestamp":"12.5"}})", sidecar_fault::bad_taken_time},
      {R"({"photoTakenTime":{"timestamp":1.5}})", sidecar_fault::bad_taken_time},
      {R"({"photoTakenTime":{"timestamp":""}})", sidecar_fault::bad_taken_time},
      {R"({"photoTakenTime":{"timestamp":" 1"}})", sidecar_fault::bad_taken_time},
      {R"({"photoTakenTime":{"timestamp":"99999999999999999999"}})", sidecar_fault::bad_taken_time},
      {R"({"photoTakenTime":{"timestamp":18446744073709551615}})", sidecar_fault::bad_taken_time},
      {R"({"photoTakenTime":{"timestamp":null}})", sidecar_fault::bad_taken_time},
      {R"({"photoTakenTime":{"timestamp":"1"},"photoTakenTime":{"timestamp":"2"}})",
       sidecar_fault::twice},
      {R"({"title":"a","photoTakenTime":{"timestamp":"1"},"title":"b"})", sidecar_fault::twice},
      {R"({"title":7,"photoTakenTime":{"timestamp":"1"}})", sidecar_fault::bad_title},
      // Takeout's word for no date: never 1970.
      {R"({"title":"a.jpg","photoTakenTime":{"timestamp":"0"}})", sidecar_fault::no_date},
      {R"({"photoTakenTime":{"timestamp":0}})", sidecar_fault::no_date},
  };
  for (const auto& row : rows) EXPECT_EQ(read_sidecar(row.text).fault, row.fault) << row.text;
}

}  // namespace
