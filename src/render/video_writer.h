// Videos of drawn pictures, encoded with FFmpeg's libraries as the pictures are drawn, so
// that memory stays flat however many frames there are. The container and codec follow
// the file's extension: .mp4 is H.264 (libx264), .webm is VP9 (libvpx); both in yuv420p
// with the BT.601 matrix (tagged so), which browsers and presentation programs play.
// The file is written whole or not at all: encoded into a new file without name in the
// target's folder (text/whole_file.h) and put in the target's place at the end; a failure,
// a cancel or the end of the process drops it.
//
// The path "-" (kStandardOutput) writes the video to standard output, whose format must
// then be given (VideoFormat), as a name has no extension. What the container can do
// decides how:
//  - standard output that is a regular file (`> film.mp4`, not opened for appending) is
//    seekable: the same MP4 or WebM as a file gets, except that MP4's index stays at the
//    end (moving it to the front would read the output back);
//  - a pipe or socket cannot seek: WebM is written as a stream (Matroska's sizes left
//    open, no index of key frames), and MP4 as fragmented MP4 (an empty index first, then
//    one fragment per key frame, every 2 seconds), which players, browsers and ffprobe
//    read from a stream;
//  - a terminal is refused.
// Standard output is never "written whole": a failure midway leaves what was sent.
#pragma once

#include <QImage>
#include <QSize>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace varomintel {

enum class VideoFormat { Mp4, WebM };

// The path that names standard output.
inline constexpr const char* kStandardOutput = "-";

// The format that a file name asks for by its extension (.mp4 or .webm, in any case);
// none for any other name.
std::optional<VideoFormat> VideoFormatOf(const std::string& path);

// The frame size of a video of pictures of `picture` size: each side rounded down to an
// even number (yuv420p halves both), at least 2. A picture of odd size loses its last
// column or row.
QSize VideoFrameSize(QSize picture);

inline constexpr int kMinVideoFps = 1;
inline constexpr int kMaxVideoFps = 120;

class VideoWriter {
 public:
  ~VideoWriter();
  VideoWriter(const VideoWriter&) = delete;
  VideoWriter& operator=(const VideoWriter&) = delete;

  // Opens a video at `path` (or standard output for kStandardOutput) in `format`, or when
  // none is given in the format of the path's extension, for pictures of `pictureSize` at
  // `fps` frames a second (kMinVideoFps..kMaxVideoFps). Null, with one line naming the file
  // and the reason in `error`, when there is no format (an extension neither .mp4 nor
  // .webm, standard output without one), the encoder is missing, standard output is a
  // terminal or the file cannot be created; nothing is then left behind.
  static std::unique_ptr<VideoWriter> Open(const std::string& path, std::optional<VideoFormat> format,
                                           QSize pictureSize, int fps, std::string* error);
  static std::unique_ptr<VideoWriter> Open(const std::string& path, QSize pictureSize, int fps, std::string* error) {
    return Open(path, std::nullopt, pictureSize, fps, error);
  }

  // Encodes one picture of the size given to Open (any QImage format; converted to 32-bit
  // RGB when needed) as the next frame.
  bool Add(const QImage& picture, std::string* error);

  // Flushes the encoder, finishes the container and renames the file over the target.
  // Without it (a failure, a cancel) the destructor removes everything written.
  bool Finish(std::string* error);

  QSize FrameSize() const;
  int Frames() const;

 private:
  struct State;
  explicit VideoWriter(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

enum class VideoOutcome { Written, Cancelled, Failed };

// A whole video of `count` frames at `fps`: picture(i) draws frame i (0 .. count-1), each
// encoded before the next is drawn; progress(done, count), called before the first frame
// and after each, returns false to cancel. A cancelled or failed video leaves no file;
// `error` receives the line of a failure. `format` as for VideoWriter::Open: needed for
// standard output ("-"), by the extension when not given.
VideoOutcome WriteVideo(const std::string& path, std::optional<VideoFormat> format, QSize pictureSize, int fps,
                        int count, const std::function<QImage(int)>& picture,
                        const std::function<bool(int, int)>& progress, std::string* error);
inline VideoOutcome WriteVideo(const std::string& path, QSize pictureSize, int fps, int count,
                               const std::function<QImage(int)>& picture,
                               const std::function<bool(int, int)>& progress, std::string* error) {
  return WriteVideo(path, std::nullopt, pictureSize, fps, count, picture, progress, error);
}

}  // namespace varomintel
