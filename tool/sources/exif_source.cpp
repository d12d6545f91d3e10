#include "sources/exif_source.hpp"

#include <memory>

#include "metadata/exiv2_tags.hpp"
#include "names/quoting.hpp"
#include "names/selection.hpp"

namespace {

// The time the capture time names, in its zone: an instant where the
// metadata gives an offset, UTC for a video's header (unless --video-local
// says its camera wrote local time there), else the zone of the run.
says decided(const capture_time& found, const source_context& context, std::string where,
             source_answer& answer) {
  date_reading reading;
  reading.time = found.time;
  reading.offset = found.offset;
  reading.utc_shape = found.utc && !context.rule.video_local;
  answer.decision = decide_read_time(reading, context.rule, context.local_offset);
  answer.where = std::move(where);
  return answer.decision.time ? says::time : says::fault;
}

bool is_xmp(std::string_view extension) {
  return extension.size() == 3 && (extension[0] | 0x20) == 'x' && (extension[1] | 0x20) == 'm' &&
         (extension[2] | 0x20) == 'p';
}

// An XMP sidecar: NAME.EXT.xmp (darktable, digiKam) or NAME.xmp
// (Lightroom). says::nothing where there is none, or it holds no date.
says ask_xmp_sidecar(const source_file& file, const source_context& context, fetch_space& space,
                     source_answer& answer) {
  const std::string_view folder = file.path.substr(0, file.path.size() - file.name.size());
  const std::optional<name_parts> parts = split_name(file.name);
  const std::string stem(parts ? parts->stem : file.name);
  for (const std::string& name : {std::string(file.name) + ".xmp", stem + ".xmp"}) {
    std::size_t length = 0;
    const int error = context.system.read_beside(file.ref, name, space.reader, length);
    if (context.system.missing(error)) continue;
    std::string path = std::string(folder) + name;
    if (error != 0) {
      return answer_fault(answer,
                          "cannot read its XMP sidecar " + in_quotes(path) + ": " +
                              context.system.error_text(error),
                          path);
    }
    const metadata_answer read = read_sidecar_capture_time({space.reader.buffer.data(), length});
    if (!read.fault.empty()) {
      return answer_fault(
          answer, "its XMP sidecar " + in_quotes(path) + " cannot be read: " + read.fault, path);
    }
    if (read.found) return decided(*read.found, context, path, answer);
  }
  return says::nothing;
}

says ask_file(const source_file& file, const source_context& context, source_answer& answer) {
  const system_calls& system = context.system;
  int descriptor = -1;
  if (const int error = system.open_data(file.ref, descriptor)) {
    return answer_fault(answer, "cannot read its data: " + system.error_text(error), {});
  }
  std::int64_t size = 0;
  const int sized = system.size_of(descriptor, size);
  metadata_answer read;
  const std::optional<name_parts> parts = split_name(file.name);
  if (sized == 0 && parts && is_quicktime_video(parts->extension)) {
    read = read_video_capture_time(
        [&](std::int64_t offset, std::size_t count, std::string& text) {
          return system.read_at(descriptor, offset, count, text);
        },
        size);
  } else if (sized == 0) {
    read = read_photo_capture_time(
        std::make_unique<descriptor_io>(system, descriptor, size, std::string(file.path)));
  }
  system.close(descriptor);
  if (sized != 0)
    return answer_fault(answer, "cannot read its data: " + system.error_text(sized), {});
  if (!read.fault.empty()) return answer_fault(answer, read.fault, {});
  if (!read.found) return says::nothing;
  return decided(*read.found, context, read.found->tag, answer);
}

says ask_exif(const source_file& file, const source_context& context, fetch_space& space,
              source_answer& answer) {
  prepare_exiv2();
  if (file.owned_beside) {
    const says sidecar = ask_xmp_sidecar(file, context, space, answer);
    if (sidecar != says::nothing) return sidecar;
  }
  return ask_file(file, context, answer);
}

}  // namespace

const time_source exif_source = {"exif", "no capture time inside it", ask_exif, is_xmp};
