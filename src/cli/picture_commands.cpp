// map, diagram, animate and prepare-dark-maps as the program declares them: each opens the
// picture module in the program's folder (picture_module.h) and runs there. The module is
// never closed: Qt's application and FFmpeg keep state until the process ends.
// A module that is missing or unusable ends the command with one line and status 2, as
// an unusable input file does.
#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/picture_module.h"

namespace varomintel::cli {

namespace {

// Reads exactly `size` bytes at `offset`.
bool ReadAt(int fd, void* data, std::size_t size, off_t offset) {
  auto* bytes = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t n = ::pread(fd, bytes, size, offset);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<std::size_t>(n);
    offset += n;
  }
  return true;
}

// Empty when the module at `path` may be opened, else the reason why not.
std::string PictureModuleFault(const std::string& path) {
  // Opened without following a link and without blocking (a FIFO in its place would wait
  // for a writer for ever), then checked to be a regular file whose every loaded segment
  // lies within it: the loader maps the segments, and a page past the end of a cut file
  // ends the program by SIGBUS on first touch instead of an error.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return std::strerror(errno);
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) return std::strerror(errno);
  if (!S_ISREG(st.st_mode)) return "it is not a regular file";
  const auto size = static_cast<std::uint64_t>(st.st_size);
  Elf64_Ehdr header{};
  if (!ReadAt(fd, &header, sizeof header, 0) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
      header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_phentsize != sizeof(Elf64_Phdr))
    return "it is not a 64-bit ELF module";
  const std::uint64_t tableEnd = header.e_phoff + std::uint64_t{header.e_phnum} * sizeof(Elf64_Phdr);
  if (header.e_phnum == 0 || header.e_phoff > size || tableEnd > size) return "it is cut short";
  std::vector<Elf64_Phdr> segments(header.e_phnum);
  if (!ReadAt(fd, segments.data(), segments.size() * sizeof(Elf64_Phdr), static_cast<off_t>(header.e_phoff)))
    return "it is cut short";
  for (const Elf64_Phdr& s : segments)
    if ((s.p_type == PT_LOAD || s.p_type == PT_DYNAMIC) && (s.p_offset > size || s.p_filesz > size - s.p_offset))
      return "it is cut short";
  return {};
}

int RunInModule(const char* name, Args& args, const Catalogue* catalogue, Context& ctx) {
  // Only the program's own folder: never the current folder or argv[0], which the caller chooses.
  if (ctx.programDir.empty()) {
    ErrorLine(ctx.err, std::string(name) +
                           ": cannot load the picture module: the program's own file is unknown (/proc/self/exe "
                           "cannot be read)");
    return kExitUsage;
  }
  const std::string path = ctx.programDir + kPictureModulePath;
  if (const std::string fault = PictureModuleFault(path); !fault.empty()) {
    ErrorLine(ctx.err, std::string(name) + ": cannot load the picture module " + path + ": " + fault);
    return kExitUsage;
  }
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  PictureEntry entry = nullptr;
  if (module) entry = reinterpret_cast<PictureEntry>(dlsym(module, kPictureEntryName));
  if (!entry) {
    const char* why = dlerror();
    ErrorLine(ctx.err, std::string(name) + ": cannot load the picture module " + path +
                           (why ? std::string(" (") + why + ")" : std::string()));
    return kExitUsage;
  }
  return entry(name, &args, catalogue, &ctx);
}

constexpr char kMap[] = "map";
constexpr char kDiagram[] = "diagram";
constexpr char kAnimate[] = "animate";
constexpr char kSky[] = "sky";
constexpr char kPrepareDarkMaps[] = "prepare-dark-maps";

template <const char* Name>
int Run(Args& args, const Catalogue* catalogue, Context& ctx) {
  return RunInModule(Name, args, catalogue, ctx);
}

const char* const kIndexHelp = "the eclipse's number in the catalogue";

OptionDecl TimeScaleOptionDecl() { return {.name = "--tt", .help = "terrestrial time instead of universal time"}; }

// --lat and --lon as the picture of the sky takes them: required by `sky`, with --sky alone for `animate`.
OptionDecl Optional(OptionDecl option, const char* help) {
  option.required = false;
  option.help = help;
  return option;
}

OptionDecl StepOptionDecl(const char* help) {
  return {.name = "--step", .value = "6|60", .help = help, .check = Check::Choice};
}

// The caption band of the picture commands, and the zone its time is written in.
OptionDecl CaptionOptionDecl() {
  return {.name = "--caption",
          .help = "a band below the picture with the date and time, the eclipse's type and the program's name"};
}
OptionDecl CaptionZoneOptionDecl() {
  OptionDecl zone = TimeZoneOptionDecl();
  zone.help = "with --caption: the caption's time zone in hours east of Greenwich (-18 to 18; 0 by default)";
  return zone;
}
OptionDecl AnimationZoneOptionDecl() {
  OptionDecl zone = TimeZoneOptionDecl();
  zone.help = "with --caption or --sky: the time zone of the caption and the sky's times, hours east of Greenwich "
              "(-18 to 18; 0 by default)";
  return zone;
}

const bool registered =
    RegisterCommand(
        {.name = kMap,
         .summary = "the world map of one eclipse as a PNG picture",
         .positional = "INDEX",
         .positionalHelp = kIndexHelp,
         .options = {{.name = "--out", .value = "FILE.png|FILE.geojson",
                      .help = "the picture's (or with --format geojson the curves') file; - for standard output",
                      .required = true},
                     {.name = "--format", .value = "png|geojson",
                      .help = "the picture (by default) or its curves as GeoJSON: horizon lines and visibility regions",
                      .check = Check::Choice},
                     {.name = "--globe", .value = "0|1|2|3", .help = "the map picture (0, BlueMarble, by default)",
                      .check = Check::Choice},
                     {.name = "--poi", .value = "LAT,LON", .help = "a place marked on the map (47.5N,7.5E)",
                      .check = Check::Place},
                     {.name = "--grid", .help = "the graticule with its degree labels round the map (750 x 369)"},
                     ScaleOptionDecl(), TimeScaleOptionDecl(), DeltaTOptionDecl(), LanguageOptionDecl(),
                     CaptionOptionDecl(), CaptionZoneOptionDecl()},
         .example = "map 16921 --poi 47.5N,7.5E --grid --out map.png",
         .run = &Run<kMap>}) &&
    RegisterCommand(
        {.name = kDiagram,
         .summary = "the shadow diagram of one eclipse as a PNG picture, or one picture per play step",
         .positional = "INDEX",
         .positionalHelp = kIndexHelp,
         .options = {{.name = "--out", .value = "FILE.png", .help = "the picture's file; - for standard output"},
                     {.name = "--position", .value = "P",
                      .help = "with --out: the slider position, 0 to 14400 (7200 = T0; greatest eclipse by default)",
                      .check = Check::Integer, .min = 0, .max = 14400},
                     {.name = "--frames", .value = "DIR", .help = "instead of --out: a folder for diagram_00000.png, ..."},
                     StepOptionDecl("with --frames: slider positions between two pictures (6 by default)"),
                     {.name = "--overwrite", .help = "with --frames: replace the pictures diagram_*.png of the folder"},
                     {.name = "--local", .help = "turned as seen from the place of --lat and --lon: its zenith up"},
                     Optional(LatitudeOptionDecl(), "with --local: the place's latitude, degrees north or south (47.5N)"),
                     Optional(LongitudeOptionDecl(), "with --local: the place's longitude, degrees east or west (7.5E)"),
                     HeightOptionDecl(),
                     ScaleOptionDecl(), TimeScaleOptionDecl(), DeltaTOptionDecl(), LanguageOptionDecl(),
                     CaptionOptionDecl(), CaptionZoneOptionDecl()},
         .example = "diagram 16921 --position 7200 --out diagram.png",
         .run = &Run<kDiagram>}) &&
    RegisterCommand(
        {.name = kAnimate,
         .summary = "the shadow diagram's play as a video (MP4 with H.264 or WebM with VP9)",
         .positional = "INDEX",
         .positionalHelp = kIndexHelp,
         .options = {{.name = "--out", .value = "FILE.mp4|FILE.webm",
                      .help = "the video's file, its format by the extension; - for standard output (with --format)",
                      .required = true},
                     {.name = "--format", .value = "mp4|webm",
                      .help = "the container for --out - (or the same as the file's extension)", .check = Check::Choice},
                     StepOptionDecl("slider positions between two frames (60, 2 minutes, by default; 6 is 12 seconds)"),
                     {.name = "--whole", .help = "the whole slider instead of 10 minutes before P1 to 10 minutes after P4"},
                     {.name = "--fps", .value = "N", .help = "frames a second (1 to 120, default 30)",
                      .check = Check::Integer, .min = kMinFps, .max = kMaxFps},
                     {.name = "--sky", .help = "the sky at the place of --lat and --lon instead of the shadow diagram"},
                     Optional(LatitudeOptionDecl(), "with --sky: the place's latitude, degrees north or south (47.5N)"),
                     Optional(LongitudeOptionDecl(), "with --sky: the place's longitude, degrees east or west (7.5E)"),
                     HeightOptionDecl(), NameOptionDecl(),
                     ScaleOptionDecl(), TimeScaleOptionDecl(), DeltaTOptionDecl(), LanguageOptionDecl(),
                     CaptionOptionDecl(), AnimationZoneOptionDecl()},
         .example = "animate 16921 --scale 2 --out eclipse.mp4",
         .run = &Run<kAnimate>}) &&
    RegisterCommand(
        {.name = kSky,
         .summary = "the eclipse in the sky of one place: a horizon panorama as a PNG picture",
         .positional = "INDEX",
         .positionalHelp = kIndexHelp,
         .options = {{.name = "--out", .value = "FILE.png", .help = "the picture's file; - for standard output",
                      .required = true},
                     LatitudeOptionDecl(), LongitudeOptionDecl(), HeightOptionDecl(),
                     {.name = "--position", .value = "P",
                      .help = "the slider position, 0 to 14400 (7200 = T0; greatest eclipse by default)",
                      .check = Check::Integer, .min = 0, .max = 14400},
                     NameOptionDecl(), TimeZoneOptionDecl(), ScaleOptionDecl(), TimeScaleOptionDecl(), DeltaTOptionDecl(),
                     LanguageOptionDecl()},
         .example = "sky 16921 --lat 35.68N --lon 139.69E --tz 9 --name Tokyo --out sky.png",
         .run = &Run<kSky>}) &&
    RegisterCommand({.name = kPrepareDarkMaps,
                     .summary = "prepares the four darkened map pictures in the current folder",
                     .example = "prepare-dark-maps",
                     .needsCatalogue = false,
                     .run = &Run<kPrepareDarkMaps>});

}  // namespace

}  // namespace varomintel::cli
