#include "eclipse/catalogue.h"

#include "text/regular_file.h"
#include "text/whole_file.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace varomintel {

namespace {

// Little-endian field access, independent of the host's byte order.
std::uint64_t LoadLE(const unsigned char* p, int bytes) {
  std::uint64_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}
void StoreLE(unsigned char* p, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    p[i] = static_cast<unsigned char>(v & 0xFFu);
    v >>= 8;
  }
}

class Reader {
 public:
  explicit Reader(const unsigned char* p) : p_(p) {}
  std::int32_t I32() { return std::bit_cast<std::int32_t>(static_cast<std::uint32_t>(Load(4))); }
  double F64() { return std::bit_cast<double>(Load(8)); }
  std::uint8_t U8() { return *p_++; }
  template <std::size_t N>
  void Poly(std::array<double, N>& c) {
    for (double& x : c) x = F64();
  }

 private:
  // On a little-endian host a field is its bytes as they stand (one load, not eight
  // shifts: decoding the 28,885 records is most of a short command's time).
  std::uint64_t Load(int bytes) {
    std::uint64_t v = 0;
    if (std::endian::native == std::endian::little)  // constant: the other branch is dropped
      std::memcpy(&v, p_, static_cast<std::size_t>(bytes));
    else
      v = LoadLE(p_, bytes);
    p_ += bytes;
    return v;
  }
  const unsigned char* p_;
};

class Writer {
 public:
  explicit Writer(unsigned char* p) : p_(p) {}
  void I32(std::int32_t v) {
    StoreLE(p_, std::bit_cast<std::uint32_t>(v), 4);
    p_ += 4;
  }
  void F64(double v) {
    StoreLE(p_, std::bit_cast<std::uint64_t>(v), 8);
    p_ += 8;
  }
  void U8(std::uint8_t v) { *p_++ = v; }
  template <std::size_t N>
  void Poly(const std::array<double, N>& c) {
    for (double x : c) F64(x);
  }

 private:
  unsigned char* p_;
};

// The fifteen element polynomials in file order, for code that walks all of them.
template <class Rec, class F>
void ForEachPolynomial(Rec& r, F f) {
  f(r.Aux0.c); f(r.Aux1.c); f(r.Aux2.c); f(r.MoonRA.c); f(r.MoonDec.c); f(r.Aux5.c);
  f(r.X.c); f(r.Y.c);
  f(r.D.c); f(r.M.c); f(r.PenContactRadius.c); f(r.UmbContactRadius.c); f(r.TotalityRadius.c);
  f(r.F1.c); f(r.F2.c);
}

// The decoded records fill some 12 MB that are written once, at start-up: in huge pages
// the kernel maps them with a few faults instead of some 3,000 (a fifth of a short
// command's time). Only advice: where the kernel has no huge pages nothing changes.
void AdviseHugePages(const void* data, std::size_t bytes) {
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto begin = (reinterpret_cast<std::uintptr_t>(data) + page - 1) / page * page;
  const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) / page * page;
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace

EclipseRecord DecodeRecord(const unsigned char* bytes) {
  EclipseRecord r;
  Reader in(bytes);
  r.Year = in.I32();
  r.Month = in.I32();
  r.Day = in.I32();
  r.EclipseType = static_cast<EclipseTypeCode>(in.I32());
  r.Reserved16 = in.F64();
  r.Gamma = in.F64();
  r.JulianDayTT = in.F64();
  r.Reserved40 = in.I32();
  r.Saros = in.I32();
  r.T0Hour = in.I32();
  ForEachPolynomial(r, [&](auto& c) { in.Poly(c); });
  r.SarosMember = in.U8();
  r.SarosCount = in.U8();
  return r;
}

RecordBytes EncodeRecord(const EclipseRecord& r) {
  RecordBytes bytes{};
  Writer out(bytes.data());
  out.I32(r.Year);
  out.I32(r.Month);
  out.I32(r.Day);
  out.I32(static_cast<std::int32_t>(r.EclipseType));
  out.F64(r.Reserved16);
  out.F64(r.Gamma);
  out.F64(r.JulianDayTT);
  out.I32(r.Reserved40);
  out.I32(r.Saros);
  out.I32(r.T0Hour);
  ForEachPolynomial(r, [&](const auto& c) { out.Poly(c); });
  out.U8(r.SarosMember);
  out.U8(r.SarosCount);
  return bytes;
}

std::string RecordDefect(const EclipseRecord& r) {
  if (r.Year < kFirstYear || r.Year > kLastYear)
    return "year " + std::to_string(r.Year) + " is not " + std::to_string(kFirstYear) + " to " +
           std::to_string(kLastYear);
  const auto type = static_cast<std::int32_t>(r.EclipseType);
  if (type < 1 || type > 5) return "eclipse type " + std::to_string(type) + " is not 1 to 5";
  if (r.Month < 1 || r.Month > 12) return "month " + std::to_string(r.Month) + " is not 1 to 12";
  if (r.Day < 1 || r.Day > 31) return "day " + std::to_string(r.Day) + " is not 1 to 31";
  if (r.T0Hour < 0 || r.T0Hour > 23) return "reference hour " + std::to_string(r.T0Hour) + " is not 0 to 23";
  bool finite = true;
  ForEachPolynomial(r, [&](const auto& c) {
    for (double x : c) finite = finite && std::isfinite(x);
  });
  if (!finite) return "an element coefficient is not a finite number";
  const double rmoo = r.PenContactRadius.c[0] - r.F1.c[0];
  if (!(r.PenContactRadius.c[0] > 0.0) || !(rmoo > 0.0))
    return "the shadow and Moon radii are not positive";
  return {};
}

std::string CatalogueLoad::Message() const {
  const std::string name = "catalogue file '" + path + "'";
  switch (status) {
    case Status::Ok:
      return name + " holds " + std::to_string(catalogue.Count()) + " eclipses";
    case Status::Missing:
      return name + " not found";
    case Status::Unreadable:
      return name + " cannot be read" + (systemError.empty() ? std::string() : ": " + systemError);
    case Status::Empty:
      return name + " is empty";
    case Status::BadSize:
      return name + " has " + std::to_string(fileSize) + " bytes, not a whole multiple of the record size " +
             std::to_string(kRecordSize);
    case Status::TooLarge:
      return name + " has " + std::to_string(fileSize) + " bytes, more than a catalogue can have (" +
             std::to_string(kMaxCatalogueBytes) + ")";
    case Status::BadRecord:
      return name + ": record " + std::to_string(badIndex) + " describes no eclipse (" + badReason + ")";
  }
  return name;
}

CatalogueLoad LoadCatalogue(const std::string& path) {
  CatalogueLoad result;
  result.path = path;
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (ec && ec != std::errc::no_such_file_or_directory) {  // a link loop, a forbidden folder
    result.status = CatalogueLoad::Status::Unreadable;
    result.systemError = ec.message();
    return result;
  }
  if (!fs::exists(st)) {
    result.status = CatalogueLoad::Status::Missing;
    return result;
  }
  if (!fs::is_regular_file(st)) {
    result.status = CatalogueLoad::Status::Unreadable;
    result.systemError = fs::is_directory(st) ? "it is a folder" : "it is not a regular file";
    return result;
  }
  result.fileSize = fs::file_size(path, ec);
  if (ec) {
    result.status = CatalogueLoad::Status::Unreadable;
    result.systemError = ec.message();
    return result;
  }
  if (result.fileSize == 0) {
    result.status = CatalogueLoad::Status::Empty;
    return result;
  }
  if (result.fileSize > kMaxCatalogueBytes) {
    result.status = CatalogueLoad::Status::TooLarge;
    return result;
  }
  if (result.fileSize % kRecordSize != 0) {
    result.status = CatalogueLoad::Status::BadSize;
    return result;
  }
  // Opened as a regular file once more: something put in its place since the check above
  // (a FIFO would block the read) is refused too.
  RegularFileOpen refusal;
  std::FILE* file = OpenRegularFileStream(path, &refusal);
  if (!file) {
    result.status = CatalogueLoad::Status::Unreadable;
    result.systemError = refusal.reason;
    return result;
  }
  // Read in blocks of whole records and decoded at once, so that the file's bytes pass
  // through a buffer that stays in the cache instead of a second copy of the file.
  constexpr std::size_t kBlockRecords = 152;  // 65,360 bytes
  std::vector<unsigned char> block(kBlockRecords * kRecordSize);
  const std::size_t count = static_cast<std::size_t>(result.fileSize / kRecordSize);
  std::vector<EclipseRecord> records;
  records.reserve(count);
  AdviseHugePages(records.data(), count * sizeof(EclipseRecord));
  std::setvbuf(file, nullptr, _IONBF, 0);  // whole blocks go straight into `block`
  while (records.size() < count) {
    const std::size_t want = std::min(kBlockRecords, count - records.size());
    const std::size_t got = std::fread(block.data(), kRecordSize, want, file);
    if (got != want) {
      const int readError = std::ferror(file) ? errno : 0;
      std::fclose(file);
      result.status = CatalogueLoad::Status::Unreadable;
      result.systemError = readError ? std::strerror(readError) : "it is shorter than when it was measured";
      return result;
    }
    for (std::size_t i = 0; i < got; ++i) {
      records.push_back(DecodeRecord(block.data() + i * kRecordSize));
      std::string defect = RecordDefect(records.back());
      if (!defect.empty()) {
        std::fclose(file);
        result.status = CatalogueLoad::Status::BadRecord;
        result.badIndex = static_cast<int>(records.size());
        result.badReason = std::move(defect);
        return result;
      }
    }
  }
  std::fclose(file);
  result.catalogue = Catalogue(std::move(records));
  return result;
}

bool WriteCatalogue(const std::string& path, const std::vector<EclipseRecord>& records) {
  std::string bytes;
  bytes.reserve(records.size() * kRecordSize);
  for (const EclipseRecord& r : records) {
    const RecordBytes b = EncodeRecord(r);
    bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
  }
  return WriteWholeFile(path, bytes);
}

}  // namespace varomintel
