#include "picture/logic/PngEncoder.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <exception>
#include <memory>
#include <thread>

namespace snapora {
namespace {

// zlib counts lengths in 32 bits on Windows (and adler32_combine takes a
// long); keeping the raw rows under 2 GiB keeps every count exact.
constexpr std::uint64_t kMaxRawBytes = 0x7FFFFFFFu;
// Rows are filtered into a buffer of about this size before each deflate
// call, so the buffer stays in the cache.
constexpr std::size_t kChunkBytes = 64 * 1024;
// A band under this many pixels costs more to hand to a thread than it saves.
constexpr std::uint64_t kPixelsPerBand = 1u << 16;
constexpr unsigned kMaxBands = 16;

enum PngFilter : std::uint8_t { kFilterNone = 0, kFilterSub = 1, kFilterUp = 2 };

struct Rows {
    const std::uint32_t* pixels;
    std::size_t pitch;
    std::size_t width;
    std::size_t rowBytes;  // the filter byte and three per pixel
    const std::uint32_t* Row(std::size_t y) const { return pixels + y * pitch; }
};

// What one band turns into: its deflate output, ended by a full flush (or
// the stream's end for the last band), and the checksums of both sides.
struct Band {
    std::size_t top = 0;
    std::size_t rows = 0;
    bool last = false;
    std::unique_ptr<std::uint8_t[]> out;
    std::size_t capacity = 0;
    std::size_t used = 0;
    uLong adler = 0;  // of the filtered rows
    uLong crc = 0;    // of the compressed bytes
    bool ok = false;
};

// The filters' cost estimate: the sum of the bytes taken as signed values,
// the usual measure of how close to zero (and so how compressible) a row is.
unsigned ByteCost(std::uint32_t value) {
    const std::uint32_t b = value & 0xFFu;
    return b < 128 ? b : 256 - b;
}

unsigned DeltaCost(std::uint32_t current, std::uint32_t reference) {
    if (((current ^ reference) & 0xFFFFFFu) == 0) return 0;
    return ByteCost((current >> 16) - (reference >> 16)) + ByteCost((current >> 8) - (reference >> 8)) +
           ByteCost(current - reference);
}

PngFilter ChooseFilter(const std::uint32_t* row, const std::uint32_t* above, std::size_t width) {
    std::uint64_t none = 0;
    std::uint64_t sub = 0;
    std::uint64_t up = 0;
    std::uint32_t left = 0;
    for (std::size_t x = 0; x < width; ++x) {
        const std::uint32_t p = row[x];
        none += DeltaCost(p, 0);
        sub += DeltaCost(p, left);
        up += DeltaCost(p, above ? above[x] : 0u);
        left = p;
    }
    if (up <= sub && up <= none) return kFilterUp;
    return sub <= none ? kFilterSub : kFilterNone;
}

// One filtered row in PNG's byte order: red, green, blue.
void FilterRow(const std::uint32_t* row, const std::uint32_t* above, std::size_t width, std::uint8_t* out) {
    const PngFilter filter = ChooseFilter(row, above, width);
    *out++ = filter;
    std::uint32_t left = 0;
    for (std::size_t x = 0; x < width; ++x) {
        const std::uint32_t p = row[x];
        const std::uint32_t ref = filter == kFilterSub ? left : filter == kFilterUp && above ? above[x] : 0u;
        *out++ = static_cast<std::uint8_t>((p >> 16) - (ref >> 16));
        *out++ = static_cast<std::uint8_t>((p >> 8) - (ref >> 8));
        *out++ = static_cast<std::uint8_t>(p - ref);
        left = p;
    }
}

void Grow(Band& band, std::size_t atLeast) {
    const std::size_t capacity = std::max(atLeast, band.capacity * 2);
    auto bigger = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
    std::copy_n(band.out.get(), band.used, bigger.get());
    band.out = std::move(bigger);
    band.capacity = capacity;
}

// Runs deflate until it has taken all input and done `flush`, growing the
// output when it fills (deflateBound makes that rare).
bool Pump(z_stream& stream, Band& band, int flush) {
    for (;;) {
        if (band.used == band.capacity) Grow(band, band.capacity + 65536);
        const std::size_t room = std::min<std::size_t>(band.capacity - band.used, 1u << 30);
        stream.next_out = band.out.get() + band.used;
        stream.avail_out = static_cast<uInt>(room);
        const int result = deflate(&stream, flush);
        band.used += room - stream.avail_out;
        if (result == Z_STREAM_ERROR) return false;
        if (flush == Z_FINISH) {
            if (result == Z_STREAM_END) return true;
        } else if (stream.avail_in == 0 && stream.avail_out != 0) {
            return true;
        }
    }
}

bool DeflateBand(z_stream& stream, const Rows& rows, Band& band) {
    const std::size_t chunkRows = std::max<std::size_t>(1, kChunkBytes / rows.rowBytes);
    std::vector<std::uint8_t> raw(chunkRows * rows.rowBytes);
    band.adler = adler32(0, nullptr, 0);
    for (std::size_t done = 0; done < band.rows;) {
        const std::size_t count = std::min(chunkRows, band.rows - done);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t y = band.top + done + i;
            FilterRow(rows.Row(y), y ? rows.Row(y - 1) : nullptr, rows.width, raw.data() + i * rows.rowBytes);
        }
        done += count;
        const auto bytes = static_cast<uInt>(count * rows.rowBytes);
        band.adler = adler32(band.adler, raw.data(), bytes);
        stream.next_in = raw.data();
        stream.avail_in = bytes;
        const int flush = done < band.rows ? Z_NO_FLUSH : band.last ? Z_FINISH : Z_FULL_FLUSH;
        if (!Pump(stream, band, flush)) return false;
    }
    return true;
}

// Raw deflate (no zlib header of its own): the bands are joined into one
// stream under a single header and checksum. Fastest level, matching only
// runs: a flat area after the Sub filter, or a row like the one above it
// after Up, is exactly such a run.
void CompressBand(const Rows& rows, Band& band) {
    z_stream stream{};
    if (deflateInit2(&stream, 1, Z_DEFLATED, -15, 8, Z_RLE) != Z_OK) return;
    try {
        const auto bound = deflateBound(&stream, static_cast<uLong>(band.rows * rows.rowBytes)) + 64;
        band.out = std::make_unique_for_overwrite<std::uint8_t[]>(bound);
        band.capacity = bound;
        band.ok = DeflateBand(stream, rows, band);
        band.crc = crc32(0, band.out.get(), static_cast<uInt>(band.used));
    } catch (const std::exception&) {
        band.ok = false;
    }
    deflateEnd(&stream);
}

// Band 0 runs on the calling thread, the others each on a thread of their
// own; a thread that cannot be started leaves its band to this one.
void CompressAll(const Rows& rows, std::vector<Band>& bands) {
    std::vector<std::thread> workers;
    std::vector<Band*> leftOver{&bands[0]};
    for (std::size_t i = 1; i < bands.size(); ++i) {
        try {
            workers.emplace_back(CompressBand, std::cref(rows), std::ref(bands[i]));
        } catch (const std::exception&) {
            leftOver.push_back(&bands[i]);
        }
    }
    for (Band* band : leftOver) CompressBand(rows, *band);
    for (std::thread& worker : workers) worker.join();
}

std::uint8_t* PutBe32(std::uint8_t* at, std::uint32_t value) {
    *at++ = static_cast<std::uint8_t>(value >> 24);
    *at++ = static_cast<std::uint8_t>(value >> 16);
    *at++ = static_cast<std::uint8_t>(value >> 8);
    *at++ = static_cast<std::uint8_t>(value);
    return at;
}

// A chunk whose data is already in place after its length and type.
std::uint8_t* CloseChunk(std::uint8_t* chunkStart, std::uint32_t length) {
    PutBe32(chunkStart, length);
    const auto crc = crc32(0, chunkStart + 4, length + 4);
    return PutBe32(chunkStart + 8 + length, static_cast<std::uint32_t>(crc));
}

std::uint8_t* PutHeader(std::uint8_t* at, std::uint32_t width, std::uint32_t height) {
    constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    at = std::copy(kSignature.begin(), kSignature.end(), at);
    std::uint8_t* chunk = at;
    at = std::copy_n("\0\0\0\0IHDR", 8, at);
    at = PutBe32(PutBe32(at, width), height);
    // 8 bits a channel, truecolour, deflate, adaptive filters, no interlace.
    constexpr std::array<std::uint8_t, 5> kFormat{8, 2, 0, 0, 0};
    std::copy(kFormat.begin(), kFormat.end(), at);
    return CloseChunk(chunk, 13);
}

// One IDAT chunk: the zlib header, the bands, the combined Adler-32. Its
// CRC is joined from the bands' own, so the compressed bytes are read once.
std::uint8_t* PutImageData(std::uint8_t* at, const std::vector<Band>& bands, std::size_t rowBytes,
                           std::uint32_t length) {
    at = PutBe32(at, length);
    std::uint8_t* const typed = at;
    at = std::copy_n("IDAT", 4, at);
    *at++ = 0x78;  // deflate, 32 KiB window
    *at++ = 0x01;  // fastest level, and the header's check bits
    uLong crc = crc32(0, typed, 6);
    uLong adler = adler32(0, nullptr, 0);
    for (const Band& band : bands) {
        at = std::copy_n(band.out.get(), band.used, at);
        crc = crc32_combine(crc, band.crc, static_cast<z_off_t>(band.used));
        adler = adler32_combine(adler, band.adler, static_cast<z_off_t>(band.rows * rowBytes));
    }
    std::uint8_t* const trailer = at;
    at = PutBe32(at, static_cast<std::uint32_t>(adler));
    crc = crc32(crc, trailer, 4);
    return PutBe32(at, static_cast<std::uint32_t>(crc));
}

std::uint8_t* PutEnd(std::uint8_t* at) {
    at = std::copy_n("\0\0\0\0IEND", 8, at);
    return CloseChunk(at - 8, 0);
}

std::vector<Band> SplitIntoBands(std::size_t height, unsigned count) {
    const std::size_t n = std::clamp<std::size_t>(count, 1, std::min<std::size_t>(height, kMaxBands));
    std::vector<Band> bands(n);
    for (std::size_t i = 0; i < n; ++i) {
        bands[i].top = height * i / n;
        bands[i].rows = height * (i + 1) / n - bands[i].top;
    }
    bands.back().last = true;
    return bands;
}

bool Assemble(std::vector<std::uint8_t>& file, const std::vector<Band>& bands, const Rows& rows,
              std::uint32_t height) {
    constexpr std::size_t kFraming = 8 + 25 + 12 + 2 + 4 + 12;
    std::size_t compressed = 0;
    for (const Band& band : bands) {
        if (!band.ok) return false;
        compressed += band.used;
    }
    const std::size_t idatLength = 2 + compressed + 4;
    if (idatLength > kMaxRawBytes) return false;
    file.resize(kFraming + compressed);
    std::uint8_t* at = PutHeader(file.data(), static_cast<std::uint32_t>(rows.width), height);
    at = PutImageData(at, bands, rows.rowBytes, static_cast<std::uint32_t>(idatLength));
    PutEnd(at);
    return true;
}

}  // namespace

bool EncodePng24Into(std::vector<std::uint8_t>& file, const std::uint32_t* topDownPixels, std::size_t rowPitch,
                     int width, int height, unsigned bands) {
    file.clear();
    if (!topDownPixels || width <= 0 || height <= 0 || rowPitch < static_cast<std::size_t>(width)) return false;
    const Rows rows{topDownPixels, rowPitch, static_cast<std::size_t>(width), 1 + 3 * static_cast<std::size_t>(width)};
    if (static_cast<std::uint64_t>(rows.rowBytes) * static_cast<std::uint64_t>(height) > kMaxRawBytes) return false;
    try {
        std::vector<Band> parts = SplitIntoBands(static_cast<std::size_t>(height), bands);
        CompressAll(rows, parts);
        if (Assemble(file, parts, rows, static_cast<std::uint32_t>(height))) return true;
    } catch (const std::exception&) {
    }
    file.clear();
    return false;
}

unsigned PngBandsFor(int width, int height) {
    if (width <= 0 || height <= 0) return 1;
    const std::uint64_t pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    const auto cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxBands);
    return static_cast<unsigned>(std::clamp<std::uint64_t>(pixels / kPixelsPerBand, 1, cores));
}

}  // namespace snapora
