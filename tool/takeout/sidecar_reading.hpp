// What a Takeout sidecar says: the time the photo was taken, and the name
// of the file it describes. Reads any bytes safely.
//
// Errors: what is wrong with a sidecar is the reading's sidecar_fault,
// never an exception; sidecar_decision.hpp says it in a phrase.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class sidecar_fault {
  none,
  not_json,        // not valid JSON, or not an object
  no_taken_time,   // no photoTakenTime.timestamp
  bad_taken_time,  // a timestamp that is not a whole number of seconds
  twice,           // the taken time or the title given twice
  bad_title,       // a title that is not a string
  no_date,         // a timestamp of 0: Takeout's word for no date
};

struct sidecar_reading {
  sidecar_fault fault = sidecar_fault::none;
  std::int64_t taken = 0;            // photoTakenTime.timestamp: seconds since 1970, UTC
  std::optional<std::string> title;  // "title": the name of the upload
};

// Reads a sidecar's text. photoTakenTime.timestamp is a string of whole
// seconds ("1258375918"; a JSON integer is taken too); creationTime, the
// upload's time, and photoTakenTime.formatted are never read.
sidecar_reading read_sidecar(std::string_view text);
