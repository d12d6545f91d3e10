#include "metadata/exiv2_tags.hpp"

#include <algorithm>
#include <exiv2/exiv2.hpp>
#include <mutex>

// exiv2 0.27 hands images over in std::auto_ptr.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

std::string lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return out;
}

tag_lookup lookup_in(const Exiv2::ExifData& exif, const Exiv2::XmpData& xmp) {
  return [&exif, &xmp](std::string_view key) -> std::optional<std::string> {
    const std::string name(key);
    if (name.starts_with("Exif.")) {
      const auto found = exif.findKey(Exiv2::ExifKey(name));
      if (found != exif.end()) return found->toString();
    } else {
      const auto found = xmp.findKey(Exiv2::XmpKey(name));
      if (found != xmp.end()) return found->toString();
    }
    return std::nullopt;
  };
}

// exiv2 0.27's image types of its video readers: riff 20, mkv 21, qtime 22,
// asf 24 (riffvideo.hpp ... asfvideo.hpp, whose headers do not all stand
// alone).
bool is_video_type(int type) {
  return type == 20 || type == 21 || type == 22 || type == 24;
}

std::string fault_of(const std::exception& e) {
  const std::string what = e.what();
  return what.empty() ? "exiv2 cannot read its metadata" : "exiv2 cannot read it: " + what;
}

// Adobe's XMP toolkit, inside exiv2, is not safe to call from two
// threads at once: exiv2 takes this lock around it.
void lock_xmp(void* data, bool lock) {
  auto* mutex = static_cast<std::mutex*>(data);
  if (lock) {
    mutex->lock();
  } else {
    mutex->unlock();
  }
}

}  // namespace

void prepare_exiv2() {
  static std::once_flag once;
  static std::mutex xmp_lock;
  std::call_once(once, [] {
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    Exiv2::XmpParser::initialize(lock_xmp, &xmp_lock);
    Exiv2::enableBMFF(true);
  });
}

metadata_answer read_photo_capture_time(std::unique_ptr<descriptor_io> io) {
  metadata_answer answer;
  try {
    Exiv2::BasicIo::AutoPtr held(io.release());
    Exiv2::Image::AutoPtr image;
    try {
      // exiv2 0.27's video readers, deprecated there, write past their
      // buffers on crafted files: a video by its content is never handed
      // to them (videos are read by their movie header, by extension).
      held->open();
      if (is_video_type(Exiv2::ImageFactory::getType(*held))) return answer;
      image = Exiv2::ImageFactory::open(held);
    } catch (const Exiv2::AnyError&) {
      return answer;  // too short to be any format: no capture time inside
    }
    if (image.get() == nullptr) return answer;  // no format exiv2 knows: none inside
    image->readMetadata();
    answer.found =
        find_capture_time(metadata_kind::photo, lookup_in(image->exifData(), image->xmpData()));
  } catch (const std::exception& e) {
    answer.fault = fault_of(e);
  }
  return answer;
}

metadata_answer read_sidecar_capture_time(std::string_view packet) {
  metadata_answer answer;
  try {
    Exiv2::XmpData xmp;
    if (Exiv2::XmpParser::decode(xmp, std::string(packet)) != 0) {
      answer.fault = "it is no XMP packet";
      return answer;
    }
    const Exiv2::ExifData none;
    answer.found = find_capture_time(metadata_kind::sidecar, lookup_in(none, xmp));
  } catch (const std::exception& e) {
    answer.fault = fault_of(e);
  }
  return answer;
}

metadata_answer read_video_capture_time(const read_fn& read, std::int64_t size) {
  metadata_answer answer;
  const movie_header header = read_movie_header(read, size);
  if (header.error != 0) {
    answer.fault = "cannot read its data";
    return answer;
  }
  answer.found = video_time(header.creation_date, header.created);
  return answer;
}

bool is_quicktime_video(std::string_view extension) {
  const std::string e = lower(extension);
  return e == "mp4" || e == "mov" || e == "m4v" || e == "3gp" || e == "3g2";
}
