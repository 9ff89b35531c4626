// Videos of drawn pictures, encoded with FFmpeg's libraries as the pictures are drawn, so
// that memory stays flat however many frames there are. The container and codec follow
// the file's extension: .mp4 is H.264 (libx264), .webm is VP9 (libvpx); both in yuv420p
// with the BT.601 matrix (tagged so), which browsers and presentation programs play.
// The file is written whole or not at all: encoded into a new neighbour of the target
// (text/whole_file.h) and renamed over it at the end; a failure or a cancel removes it.
#pragma once

#include <QImage>
#include <QSize>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace varomintel {

enum class VideoFormat { Mp4, WebM };

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

  // Opens a video at `path` for pictures of `pictureSize` at `fps` frames a second
  // (kMinVideoFps..kMaxVideoFps). Null, with one line naming the file and the reason in
  // `error`, when the extension is neither .mp4 nor .webm, the encoder is missing or the
  // file cannot be created; nothing is then left behind.
  static std::unique_ptr<VideoWriter> Open(const std::string& path, QSize pictureSize, int fps, std::string* error);

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
// `error` receives the line of a failure.
VideoOutcome WriteVideo(const std::string& path, QSize pictureSize, int fps, int count,
                        const std::function<QImage(int)>& picture, const std::function<bool(int, int)>& progress,
                        std::string* error);

}  // namespace varomintel
