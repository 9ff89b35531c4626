// varomintel-cli animate: the shadow diagram's play, or with --sky the sky at a place, as a
// video (MP4 with H.264 or WebM with VP9, by the extension), each frame encoded as it is drawn.
#include <unistd.h>

#include <QImage>

#include <pthread.h>
#include <signal.h>
#include <string.h>

#include <csignal>
#include <optional>
#include <cstdio>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "app/eclipse_view.h"
#include "app/picture_caption.h"
#include "app/time_slider.h"
#include "app/version_info.h"
#include "cli/commands.h"
#include "cli/diagram_options.h"
#include "cli/diagram_pictures.h"
#include "cli/offscreen_application.h"
#include "cli/picture_module.h"
#include "cli/picture_output.h"
#include "render/moon_pictures.h"
#include "render/picture_caption.h"
#include "render/shadow_diagram.h"
#include "render/sky_view.h"
#include "render/video_writer.h"
#include "text/number_text.h"
#include "text/text_table.h"

namespace varomintel::cli {

namespace {

// The signals that end a run from outside (Ctrl-C, kill, a closed terminal, a timer, a
// user's signal): while a video is encoded, each stops the encoding at the next frame, which
// drops the new file, and then ends the program by the same signal, so that the caller
// sees the signal's own status (130 for SIGINT, 143 for SIGTERM, ...). `interrupted` holds
// the signal's number, 0 while none came.
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGUSR1, SIGUSR2, SIGALRM};
volatile std::sig_atomic_t interrupted = 0;
extern "C" void OnInterrupt(int signal) { interrupted = signal; }

// The handlers for the lifetime of the object, then the old dispositions. A signal that the
// caller left ignored stays ignored: a job started in the background (`&`) has SIGINT and
// SIGQUIT ignored, and the terminal's Ctrl-C is not meant for it.
class InterruptGuard {
 public:
  InterruptGuard() {
    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = &OnInterrupt;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
      sigaction(kEndingSignals[i], nullptr, &old_[i]);
      installed_[i] = old_[i].sa_handler != SIG_IGN && sigaction(kEndingSignals[i], &action, nullptr) == 0;
    }
  }
  ~InterruptGuard() {
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
      if (installed_[i]) sigaction(kEndingSignals[i], &old_[i], nullptr);
  }
  // Ends the program by `signal` with its default action; returns the shell's status of
  // that signal where it does not end it (blocked by the caller).
  static int EndBy(int signal) {
    std::signal(signal, SIG_DFL);
    sigset_t one;
    sigemptyset(&one);
    sigaddset(&one, signal);
    pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
    std::raise(signal);
    return 128 + signal;
  }
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;

 private:
  struct sigaction old_[std::size(kEndingSignals)] {};
  bool installed_[std::size(kEndingSignals)] {};
};

// "[#########...........]  45%  85/190": redrawn on one line of a terminal whenever the
// shown percentage changes, erased at the end.
class ProgressBar {
 public:
  ProgressBar(std::ostream& err, bool shown) : err_(err), shown_(shown) {}
  void Show(int done, int count) {
    if (!shown_ || count <= 0) return;
    const int percent = static_cast<int>(100LL * done / count);
    if (percent == percent_) return;
    percent_ = percent;
    constexpr int kWidth = 40;
    const int filled = kWidth * percent / 100;
    char line[96];
    std::snprintf(line, sizeof line, "] %3d%%  %d/%d", percent, done, count);
    err_ << '\r' << '[' << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kWidth - filled), '.') << line << std::flush;
  }
  ~ProgressBar() {
    if (shown_ && percent_ >= 0) err_ << "\r\033[K" << std::flush;
  }
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

 private:
  std::ostream& err_;
  bool shown_;
  int percent_ = -1;
};

int Animate(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  const TimeSettings settings = DiagramTimeOptions(args);
  // "/dev/stdout" is standard output too: the video writer gets "-" for it.
  const std::string out(args.Value("--out").value_or(""));
  const std::string path = IsStandardOutput(out) ? "-" : out;
  const auto container = args.Value("--format");
  const int frameStep = FrameStepOption(args.Value("--step"), 60);
  const bool whole = args.Flag("--whole");
  const double scale = ScaleOption(args);
  // The sky at a place instead of the shadow diagram: the place's options go with --sky only;
  // the zone goes with the sky's times or with the caption.
  const bool sky = args.Flag("--sky");
  const bool caption = sky ? args.Flag("--caption") : CaptionOption(args);
  const int fps = static_cast<int>(StrictInteger(args.Value("--fps").value_or("30")).value_or(30));
  const int index = IndexArgument(args.Positional(), catalogue);
  if (out.empty()) throw UsageError{"give --out FILE.mp4, --out FILE.webm or --out - with --format"};
  // A stream has no name to tell its container: --format does. A file's extension does,
  // and --format, when given too, must say the same.
  const std::optional<VideoFormat> named = VideoFormatOf(path);
  const std::optional<VideoFormat> chosen =
      container ? std::optional(*container == "webm" ? VideoFormat::WebM : VideoFormat::Mp4) : std::nullopt;
  if (path == "-" && !chosen) throw UsageError{"--out - needs --format mp4 or --format webm"};
  if (path != "-" && !named)
    throw UsageError{"--out must name a .mp4 or .webm file, or be - with --format, not " + Quoted(path)};
  if (path != "-" && chosen && chosen != named)
    throw UsageError{"--format " + std::string(*container) + " does not match the file name " + Quoted(path)};

  if (sky && !(args.Value("--lat") && args.Value("--lon"))) throw UsageError{"--sky needs --lat and --lon"};
  if (!sky)
    for (const char* option : {"--lat", "--lon", "--height", "--name"})
      if (args.Value(option)) throw UsageError{std::string(option) + " goes with --sky"};

  const auto app = OffscreenApplication();
  const SelectedEclipse selection = SelectEclipseAt(catalogue, index, settings);
  const std::optional<SkyPictures> place = sky ? std::optional(SkyPicturesOf(args, catalogue, index)) : std::nullopt;
  if (place && !place->panorama.eclipse) {
    ErrorLine(ctx.err, "animate: eclipse " + std::to_string(index) + " has no contacts P1 and P4 to show");
    return kExitNothing;
  }
  const std::vector<int> positions = AnimationPositions(selection.circumstances, frameStep, whole);
  const MoonPictures pictures = MoonPictures::Load(MoonPictureFolder("", ctx.programDir));
  if (const PictureFault fault = UnusableMoonPicture(selection, positions, pictures); !fault.empty()) {
    ctx.err << "varomintel-cli: animate: " << fault.Line() << '\n';
    return kExitUsage;
  }

  const std::string prefix =
      "Varomintel " + ProgramVersion(ProgramVersionInfo("")) + Text(text_row::kSubtitle, settings.language);
  EclipseView view;
  view.SetTimeSettings(settings);
  view.SetCaptionPrefix(prefix);
  view.Select(catalogue, index);
  std::string firstTime, lastTime;
  const auto draw = [&](int i) {
    view.SetSliderPosition(positions[static_cast<std::size_t>(i)]);
    if (i == 0) firstTime = view.Now().dateTime;
    lastTime = view.Now().dateTime;
    QImage frame = place ? DrawSkyView(place->SceneAt(view.Now().t), pictures, scale)
                         : DrawShadowDiagram(DiagramSceneOf(view), pictures, scale);
    if (!caption) return frame;
    return WithCaption(frame, QString::fromStdString(DiagramPictureCaption(view.Selection(), view.Position(), settings)),
                       scale);
  };
  const QSize pictureSize =
      (place ? SkyViewSizeAt(scale) : DiagramSizeAt(scale)) + QSize(0, caption ? CaptionBandHeight(scale) : 0);
  const InterruptGuard guard;
  const int count = static_cast<int>(positions.size());
  std::string error;
  VideoOutcome outcome;
  {
    ProgressBar bar(ctx.err, isatty(STDERR_FILENO) == 1);  // erased before any line below
    const auto progress = [&](int done, int total) {
      bar.Show(done, total);
      return interrupted == 0;
    };
    // "-" is standard output: the writer decides how a stream is written, in the container
    // that --format chose.
    outcome = WriteVideo(path, chosen, pictureSize, fps, count, draw, progress, &error);
  }
  if (outcome == VideoOutcome::Cancelled) {
    const int signal = interrupted;
    const char* name = sigabbrev_np(signal);
    ErrorLine(ctx.err, "animate: interrupted by " + (name ? "SIG" + std::string(name) : std::to_string(signal)) +
                           "; '" + path + "' is not written");
    ctx.out.flush();
    ctx.err.flush();
    return InterruptGuard::EndBy(signal);
  }
  if (outcome == VideoOutcome::Failed) {
    ErrorLine(ctx.err, error);
    return kExitOutput;
  }
  const QSize size = VideoFrameSize(pictureSize);
  if (path != "-")  // the video on standard output is all that goes there
    ctx.out << path << '\t' << count << " frames\t" << size.width() << 'x' << size.height() << '\t' << fps
          << " fps\t" << FormatFixed(static_cast<double>(count) / fps, 2) << " s\t" << firstTime << " - "
          << lastTime << '\n';
  if (selection.converged) return kExitOk;
  ctx.err << "varomintel-cli: eclipse " << index << ": the search for " << selection.failedSearch
          << " did not converge\n";
  return kExitNothing;
}

static_assert(kMinFps == kMinVideoFps && kMaxFps == kMaxVideoFps);

const bool registered = RegisterCommand({.name = "animate", .run = &Animate});  // declared in picture_commands.cpp

}  // namespace

}  // namespace varomintel::cli
