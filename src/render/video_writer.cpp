#include "render/video_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "text/whole_file.h"

namespace varomintel {

namespace {

std::string AvError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

std::string Lowered(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// Where the encoded bytes go: the whole-file writer's new file, or standard output, from
// `base` on (standard output may already hold bytes before the video).
struct Output {
  int fd = -1;
  int64_t base = 0;
};

// The FFmpeg output that writes into the descriptor, so that no other file is ever opened
// for writing.
#if LIBAVFORMAT_VERSION_MAJOR >= 61
int WriteBytes(void* opaque, const uint8_t* buf, int size) {
#else
int WriteBytes(void* opaque, uint8_t* buf, int size) {
#endif
  const int fd = static_cast<Output*>(opaque)->fd;
  int done = 0;
  while (done < size) {
    const ssize_t n = write(fd, buf + done, static_cast<std::size_t>(size - done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return AVERROR(errno);
    }
    done += static_cast<int>(n);
  }
  return size;
}

int64_t SeekBytes(void* opaque, int64_t offset, int whence) {
  const Output& out = *static_cast<Output*>(opaque);
  if (whence & AVSEEK_SIZE) {
    struct stat st {};
    return fstat(out.fd, &st) == 0 ? static_cast<int64_t>(st.st_size) - out.base : AVERROR(errno);
  }
  whence &= ~AVSEEK_FORCE;
  if (whence == SEEK_SET) offset += out.base;
  const off_t at = lseek(out.fd, static_cast<off_t>(offset), whence);
  return at < 0 ? AVERROR(errno) : static_cast<int64_t>(at) - out.base;
}

// The MP4 muxer reads its own output back to move the index to the front ("faststart"),
// by opening the output's name for reading. The file has no name while it is written: the
// reading goes to the same descriptor instead, with a position of its own (pread), so that
// the writing's position is not moved.
struct ReadBack {
  int fd = -1;
  int64_t at = 0;
};

int ReadBytes(void* opaque, uint8_t* buf, int size) {
  auto& r = *static_cast<ReadBack*>(opaque);
  ssize_t n;
  while ((n = pread(r.fd, buf, static_cast<std::size_t>(size), static_cast<off_t>(r.at))) < 0 && errno == EINTR) {
  }
  if (n < 0) return AVERROR(errno);
  if (n == 0) return AVERROR_EOF;
  r.at += n;
  return static_cast<int>(n);
}

int64_t SeekReadBack(void* opaque, int64_t offset, int whence) {
  auto& r = *static_cast<ReadBack*>(opaque);
  struct stat st {};
  if (fstat(r.fd, &st) != 0) return AVERROR(errno);
  if (whence & AVSEEK_SIZE) return static_cast<int64_t>(st.st_size);
  switch (whence & ~AVSEEK_FORCE) {
    case SEEK_SET: break;
    case SEEK_CUR: offset += r.at; break;
    case SEEK_END: offset += static_cast<int64_t>(st.st_size); break;
    default: return AVERROR(EINVAL);
  }
  if (offset < 0) return AVERROR(EINVAL);
  return r.at = offset;
}

int OpenReadBack(AVFormatContext* s, AVIOContext** pb, const char*, int flags, AVDictionary**) {
  if ((flags & AVIO_FLAG_WRITE) || !s->opaque) return AVERROR(EPERM);  // no second output
  constexpr int kBufferBytes = 1 << 16;
  auto* r = new ReadBack{static_cast<Output*>(s->opaque)->fd, 0};
  auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferBytes));
  *pb = buffer ? avio_alloc_context(buffer, kBufferBytes, 0, r, &ReadBytes, nullptr, &SeekReadBack) : nullptr;
  if (!*pb) {
    av_free(buffer);
    delete r;
    return AVERROR(ENOMEM);
  }
  return 0;
}

int CloseReadBack(AVFormatContext*, AVIOContext* pb) {
  if (!pb) return 0;
  delete static_cast<ReadBack*>(pb->opaque);
  av_freep(&pb->buffer);
  avio_context_free(&pb);
  return 0;
}

}  // namespace

std::optional<VideoFormat> VideoFormatOf(const std::string& path) {
  const std::string name = Lowered(path.substr(path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1));
  if (name.size() > 4 && name.ends_with(".mp4")) return VideoFormat::Mp4;
  if (name.size() > 5 && name.ends_with(".webm")) return VideoFormat::WebM;
  return std::nullopt;
}

QSize VideoFrameSize(QSize picture) {
  return {std::max(2, picture.width() & ~1), std::max(2, picture.height() & ~1)};
}

struct VideoWriter::State {
  std::string path;
  WholeFileWriter file;  // unused for standard output
  Output out;            // for the output callbacks
  bool toStandardOutput = false;
  QSize size;
  int frames = 0;
  bool finished = false;
  AVFormatContext* format = nullptr;
  AVIOContext* io = nullptr;
  AVCodecContext* codec = nullptr;
  AVStream* stream = nullptr;
  AVFrame* frame = nullptr;
  AVPacket* packet = nullptr;
  SwsContext* scaler = nullptr;

  ~State() {
    sws_freeContext(scaler);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&codec);
    if (format) avformat_free_context(format);
    if (io) {
      av_freep(&io->buffer);
      avio_context_free(&io);
    }
    // The file, when not renamed by Finish, is removed by the writer's destructor.
  }

  bool Fail(std::string* error, const std::string& reason) {
    if (error)
      *error = (toStandardOutput ? std::string("cannot write the video to standard output")
                                 : "cannot write '" + path + "'") + ": " + reason;
    file.Abandon();
    return false;
  }

  // Sends one frame (null: the end) and writes every packet the encoder gives back.
  bool Encode(AVFrame* f, std::string* error) {
    int r = avcodec_send_frame(codec, f);
    if (r < 0) return Fail(error, "the encoder refused a frame: " + AvError(r));
    for (;;) {
      r = avcodec_receive_packet(codec, packet);
      if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
      if (r < 0) return Fail(error, "the encoder failed: " + AvError(r));
      if (packet->duration == 0) packet->duration = 1;  // each frame lasts 1 / fps
      av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
      packet->stream_index = stream->index;
      r = av_interleaved_write_frame(format, packet);
      av_packet_unref(packet);
      if (r < 0) return Fail(error, AvError(r));
    }
  }
};

VideoWriter::VideoWriter(std::unique_ptr<State> state) : state_(std::move(state)) {}
VideoWriter::~VideoWriter() = default;
QSize VideoWriter::FrameSize() const { return state_->size; }
int VideoWriter::Frames() const { return state_->frames; }

std::unique_ptr<VideoWriter> VideoWriter::Open(const std::string& path, std::optional<VideoFormat> format,
                                               QSize pictureSize, int fps, std::string* error) {
  // The libraries' own notes (the encoder's statistics, ...) stay off standard error: a
  // failure comes back as one line through `error`.
  av_log_set_level(AV_LOG_QUIET);
  auto s = std::make_unique<State>();
  s->path = path;
  const auto fail = [&](const std::string& reason) {
    s->Fail(error, reason);
    return nullptr;
  };
  s->toStandardOutput = path == kStandardOutput;
  const std::optional<VideoFormat> kind = format ? format : VideoFormatOf(path);
  if (!kind) return fail(s->toStandardOutput ? "standard output needs the format, MP4 or WebM"
                                             : "the name must end in .mp4 or .webm");
  if (fps < kMinVideoFps || fps > kMaxVideoFps)
    return fail("the frame rate must be " + std::to_string(kMinVideoFps) + " to " + std::to_string(kMaxVideoFps));
  if (pictureSize.width() < 2 || pictureSize.height() < 2) return fail("the pictures are empty");
  s->size = VideoFrameSize(pictureSize);

  const char* encoderName = *kind == VideoFormat::Mp4 ? "libx264" : "libvpx-vp9";
  const AVCodec* encoder = avcodec_find_encoder_by_name(encoderName);
  if (!encoder) return fail(std::string("FFmpeg has no encoder ") + encoderName);
  // Seekable: a file of our own, or standard output when it is a regular file that is not
  // appended to (O_APPEND would put every patch of the header at the end instead).
  bool seekable = true;
  if (s->toStandardOutput) {
    s->out.fd = STDOUT_FILENO;
    if (isatty(STDOUT_FILENO)) return fail("standard output is a terminal; redirect it to a file or a pipe");
    struct stat st {};
    const int flags = fcntl(STDOUT_FILENO, F_GETFL);
    if (fstat(STDOUT_FILENO, &st) != 0 || flags < 0) return fail(std::strerror(errno));
    s->out.base = S_ISREG(st.st_mode) && !(flags & O_APPEND) ? lseek(STDOUT_FILENO, 0, SEEK_CUR) : -1;
    seekable = s->out.base >= 0;
    if (!seekable) s->out.base = 0;
  } else {
    if (!s->file.Open(path, error)) return nullptr;
    s->out.fd = s->file.Descriptor();
  }

  int r = avformat_alloc_output_context2(&s->format, nullptr, *kind == VideoFormat::Mp4 ? "mp4" : "webm",
                                         path.c_str());
  if (r < 0 || !s->format) return fail("FFmpeg cannot make the container: " + AvError(r));
  constexpr int kBufferBytes = 1 << 16;
  auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferBytes));
  if (!buffer) return fail("out of memory");
  s->io = avio_alloc_context(buffer, kBufferBytes, 1, &s->out, nullptr, &WriteBytes, seekable ? &SeekBytes : nullptr);
  if (!s->io) {
    av_free(buffer);
    return fail("out of memory");
  }
  s->io->seekable = seekable ? AVIO_SEEKABLE_NORMAL : 0;
  s->format->pb = s->io;
  s->format->flags |= AVFMT_FLAG_CUSTOM_IO;
  s->format->opaque = &s->out;
  s->format->io_open = &OpenReadBack;
  s->format->io_close2 = &CloseReadBack;

  s->stream = avformat_new_stream(s->format, nullptr);
  s->codec = avcodec_alloc_context3(encoder);
  s->frame = av_frame_alloc();
  s->packet = av_packet_alloc();
  if (!s->stream || !s->codec || !s->frame || !s->packet) return fail("out of memory");
  AVCodecContext& c = *s->codec;
  c.width = s->size.width();
  c.height = s->size.height();
  c.time_base = AVRational{1, fps};
  c.framerate = AVRational{fps, 1};
  c.pix_fmt = AV_PIX_FMT_YUV420P;
  c.gop_size = 2 * fps;  // a key frame every 2 seconds, for seeking in a player
  c.color_range = AVCOL_RANGE_MPEG;
  c.colorspace = AVCOL_SPC_SMPTE170M;
  c.color_primaries = AVCOL_PRI_SMPTE170M;
  c.color_trc = AVCOL_TRC_SMPTE170M;
  c.thread_count = 0;  // as many as the machine has
  if (s->format->oformat->flags & AVFMT_GLOBALHEADER) c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  AVDictionary* options = nullptr;
  if (*kind == VideoFormat::Mp4) {
    // Thin lines and small text on flat colours: a low constant rate factor keeps them sharp.
    av_dict_set(&options, "preset", "veryfast", 0);
    av_dict_set(&options, "crf", "18", 0);
    av_dict_set(&options, "tune", "animation", 0);
    // Memory: each frame that the encoder holds costs some 30 MB at 4160 x 1920 (the planes
    // and their half-pixel planes), and by default it holds many: a frame per thread (3
    // threads on 2 cores, more on larger machines), the frames the lookahead thread queues,
    // and 10 frames of rate-control lookahead. Threads that share each frame in slices, no
    // queue before the lookahead and 5 frames of it bring the largest video (--scale 4)
    // from about 990 MB to 550 MB at about the same speed, and with a file no larger.
    av_dict_set(&options, "x264-params", "sliced-threads=1:sync-lookahead=0:rc-lookahead=5", 0);
  } else {
    // The real-time mode at its fastest: some ten times quicker than "good" and, on these
    // flat pictures, within a fraction of a decibel of its quality.
    av_dict_set(&options, "deadline", "realtime", 0);
    av_dict_set(&options, "cpu-used", "8", 0);
    av_dict_set(&options, "row-mt", "1", 0);
    av_dict_set(&options, "crf", "24", 0);
    av_dict_set(&options, "b", "0", 0);
    // The real-time mode decides each frame as it comes, yet libvpx still queues 25 frames
    // ahead by default: 350 MB at --scale 4 for the same bytes of video.
    av_dict_set(&options, "lag-in-frames", "0", 0);
  }
  r = avcodec_open2(s->codec, encoder, &options);
  av_dict_free(&options);
  if (r < 0) return fail(std::string("FFmpeg cannot open the encoder ") + encoderName + ": " + AvError(r));
  r = avcodec_parameters_from_context(s->stream->codecpar, s->codec);
  if (r < 0) return fail(AvError(r));
  s->stream->time_base = c.time_base;
  s->stream->avg_frame_rate = c.framerate;

  s->frame->format = c.pix_fmt;
  s->frame->width = c.width;
  s->frame->height = c.height;
  if ((r = av_frame_get_buffer(s->frame, 0)) < 0) return fail(AvError(r));
  // QImage's 32-bit RGB is 0xffRRGGBB in the machine's order: B, G, R, A in memory.
  s->scaler = sws_getContext(c.width, c.height, AV_PIX_FMT_BGRA, c.width, c.height, AV_PIX_FMT_YUV420P,
                             SWS_BICUBIC | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
  if (!s->scaler) return fail("FFmpeg cannot convert the pictures");
  const int* bt601 = sws_getCoefficients(SWS_CS_ITU601);
  sws_setColorspaceDetails(s->scaler, bt601, 1, bt601, 0, 0, 1 << 16, 1 << 16);

  AVDictionary* muxing = nullptr;
  // MP4: the index at the front, so that a web page starts playing before the whole file is
  // in; on standard output the index stays at the end of a file, and a stream that cannot
  // seek gets fragments, each from a key frame, after an empty index.
  if (*kind == VideoFormat::Mp4 && !s->toStandardOutput) av_dict_set(&muxing, "movflags", "+faststart", 0);
  if (*kind == VideoFormat::Mp4 && !seekable)
    av_dict_set(&muxing, "movflags", "+frag_keyframe+empty_moov+default_base_moof", 0);
  r = avformat_write_header(s->format, &muxing);
  av_dict_free(&muxing);
  if (r < 0) return fail(AvError(r));
  return std::unique_ptr<VideoWriter>(new VideoWriter(std::move(s)));
}

bool VideoWriter::Add(const QImage& picture, std::string* error) {
  State& s = *state_;
  if (s.finished) return s.Fail(error, "the video is finished");
  if (VideoFrameSize(picture.size()) != s.size || picture.width() < s.size.width() ||
      picture.height() < s.size.height())
    return s.Fail(error, "a picture has another size than the video");
  const QImage rgb = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                         ? picture
                         : picture.convertToFormat(QImage::Format_RGB32);
  const int r = av_frame_make_writable(s.frame);
  if (r < 0) return s.Fail(error, AvError(r));
  const uint8_t* const source[1] = {rgb.constBits()};
  const int stride[1] = {static_cast<int>(rgb.bytesPerLine())};
  // The even frame takes the picture's top-left part: a row of odd length is cut short.
  sws_scale(s.scaler, source, stride, 0, s.size.height(), s.frame->data, s.frame->linesize);
  s.frame->pts = s.frames;
  if (!s.Encode(s.frame, error)) return false;
  ++s.frames;
  return true;
}

bool VideoWriter::Finish(std::string* error) {
  State& s = *state_;
  if (s.finished) return s.Fail(error, "the video is finished");
  s.finished = true;
  if (!s.Encode(nullptr, error)) return false;
  const int r = av_write_trailer(s.format);
  if (r < 0) return s.Fail(error, AvError(r));
  avio_flush(s.io);
  if (s.io->error < 0) return s.Fail(error, AvError(s.io->error));
  return s.toStandardOutput || s.file.Commit(error);
}

VideoOutcome WriteVideo(const std::string& path, std::optional<VideoFormat> format, QSize pictureSize, int fps,
                        int count, const std::function<QImage(int)>& picture,
                        const std::function<bool(int, int)>& progress, std::string* error) {
  const std::unique_ptr<VideoWriter> video = VideoWriter::Open(path, format, pictureSize, fps, error);
  if (!video) return VideoOutcome::Failed;
  if (progress && !progress(0, count)) return VideoOutcome::Cancelled;
  for (int i = 0; i < count; ++i) {
    if (!video->Add(picture(i), error)) return VideoOutcome::Failed;
    if (progress && !progress(i + 1, count)) return VideoOutcome::Cancelled;
  }
  return video->Finish(error) ? VideoOutcome::Written : VideoOutcome::Failed;
}

}  // namespace varomintel
