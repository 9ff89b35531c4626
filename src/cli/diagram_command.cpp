// varomintel-cli diagram: the shadow diagram of one eclipse as the main window shows it,
// written as PNG at one slider position or as one picture per play step over the slider.
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>

#include "app/eclipse_view.h"
#include "app/time_slider.h"
#include "app/version_info.h"
#include "cli/commands.h"
#include "render/moon_pictures.h"
#include "render/shadow_diagram.h"
#include "text/number_text.h"
#include "text/text_table.h"
#include "text/whole_file.h"

namespace varomintel::cli {

namespace {

// Text layout needs a font database, which needs a (headless) application object.
void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The command reports its own errors in one line; the toolkit's notes about the session
  // (a missing runtime folder and the like) would only add noise on standard error.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
  });
  static int argc = 1;
  static char name[] = "varomintel-cli";
  static char* argv[] = {name, nullptr};
  static const auto app = std::make_unique<QGuiApplication>(argc, argv);
}

// The PNG bytes of a picture, written whole or not at all.
bool WritePng(const QImage& image, const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return false;
  return WriteWholeFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

int SliderArgument(std::string_view text) {
  const auto p = ParseInteger(text);
  if (!p || *p < kSliderFirst || *p > kSliderLast)
    throw UsageError{"--position must be a whole number from 0 to 14400, not '" + std::string(text) + "'"};
  return static_cast<int>(*p);
}

int Diagram(Args& args, const Catalogue* cat, Context& ctx) {
  const Catalogue& catalogue = *cat;
  TimeSettings settings;
  settings.language = LanguageOption(args);
  settings.universalTime = !args.Flag("--tt");
  const auto position = args.Value("--position");
  const auto out = args.Value("--out");
  const auto frames = args.Value("--frames");
  const auto step = args.Value("--step");
  const double scale = ScaleOption(args);
  const int index = IndexArgument(args.Positional("INDEX"), catalogue);
  args.ExpectEnd();
  if (out.has_value() == frames.has_value()) throw UsageError{"give either --out FILE.png or --frames DIR"};
  if (frames && position) throw UsageError{"--position goes with --out, not with --frames"};
  if (out && step) throw UsageError{"--step goes with --frames, not with --out"};
  int frameStep = 6;
  if (step) {
    if (*step != "6" && *step != "60") throw UsageError{"--step must be 6 or 60, not '" + std::string(*step) + "'"};
    frameStep = *step == "6" ? 6 : 60;
  }
  const int firstPosition = position ? SliderArgument(*position) : -1;

  EnsureGuiApplication();
  const MoonPictures pictures = MoonPictures::Load(MoonPictureFolder("", ctx.programDir));
  const std::string prefix = "Varomintel " + ProgramVersion(ProgramVersionInfo("")) + Text(text_row::kSubtitle, settings.language);
  EclipseView view;
  view.SetTimeSettings(settings);
  view.SetCaptionPrefix(prefix);
  view.Select(catalogue, index);
  QImage image;
  const auto draw = [&](int at) {
    view.SetSliderPosition(at);
    image = DrawShadowDiagram(DiagramSceneOf(view), pictures, scale);
    return view.Now();
  };

  if (out) {
    const ShownMoment frame = draw(firstPosition >= 0 ? firstPosition : view.Position());
    if (!WritePng(image, std::string(*out))) {
      ctx.err << "varomintel-cli: cannot write '" << *out << "'\n";
      return kExitUsage;
    }
    ctx.out << frame.caption << '\n' << frame.dateTime << '\n' << frame.shortType << '\n';
    return kExitOk;
  }

  // One picture per step of a forward play over the whole slider, numbered from 0.
  const std::filesystem::path dir{std::string(*frames)};
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  int number = 0;
  for (int at = kSliderFirst; at <= kSliderLast; at += frameStep, ++number) {
    const ShownMoment frame = draw(at);
    char name[32];
    std::snprintf(name, sizeof name, "diagram_%05d.png", number);
    const std::string path = (dir / name).string();
    if (!WritePng(image, path)) {
      ctx.err << "varomintel-cli: cannot write '" << path << "'\n";
      return kExitUsage;
    }
    ctx.out << name << '\t' << frame.dateTime << '\t' << frame.shortType << '\n';
  }
  return kExitOk;
}

const bool registered =
    RegisterCommand({"diagram",
                     "INDEX [--position P] [--scale S] [--tt] [--lang de|en|fr] --out FILE.png, or INDEX --frames DIR "
                     "[--step 6|60] [--scale S] [--tt] [--lang de|en|fr]",
                     true, &Diagram});

}  // namespace

}  // namespace varomintel::cli
