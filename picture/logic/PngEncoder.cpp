#include "picture/logic/PngEncoder.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
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
constexpr std::uint32_t kColourBits = 0xFFFFFFu;
// Deflate levels. Palette rows are small and find the text above them even
// at the fastest level; truecolour text needs lazy matching to come near
// what the platform's codec writes (a 1080p desktop: 1.1 times its size at
// level 4, 1.7 times at level 1, for twice the time).
constexpr int kPaletteLevel = 1;
constexpr int kTruecolourLevel = 4;
constexpr int kBusyLevel = 1;

enum PngFilter : std::uint8_t { kFilterNone = 0, kFilterSub = 1, kFilterUp = 2 };

// The picture's colours when there are at most 256, each with its index,
// in an open-addressed table kept at most a quarter full.
class Palette {
public:
    static constexpr std::size_t kMaxColours = 256;

    // False as soon as a 257th colour turns up.
    bool Collect(const std::uint32_t* pixels, std::size_t pitch, std::size_t width, std::size_t height) {
        keys_.fill(kFree);
        count_ = 0;
        std::uint32_t last = kFree;
        for (std::size_t y = 0; y < height; ++y) {
            const std::uint32_t* row = pixels + y * pitch;
            for (std::size_t x = 0; x < width; ++x) {
                const std::uint32_t colour = row[x] & kColourBits;
                if (colour == last) continue;  // runs are most of a screen
                last = colour;
                if (!Add(colour)) return false;
            }
        }
        return true;
    }

    // The index of a colour Collect met.
    [[nodiscard]] std::uint8_t IndexOf(std::uint32_t colour) const {
        std::size_t slot = SlotOf(colour);
        while (keys_[slot] != colour) slot = (slot + 1) & (kSlots - 1);
        return indices_[slot];
    }

    [[nodiscard]] std::size_t Size() const { return count_; }
    [[nodiscard]] std::uint32_t Colour(std::size_t index) const { return colours_[index]; }

private:
    static constexpr std::size_t kSlots = 4 * kMaxColours;
    static constexpr std::uint32_t kFree = 0xFFFFFFFFu;  // no colour has a high byte here

    static std::size_t SlotOf(std::uint32_t colour) { return (colour * 0x9E3779B1u) >> 22; }

    bool Add(std::uint32_t colour) {
        std::size_t slot = SlotOf(colour);
        for (; keys_[slot] != kFree; slot = (slot + 1) & (kSlots - 1)) {
            if (keys_[slot] == colour) return true;
        }
        if (count_ == kMaxColours) return false;
        keys_[slot] = colour;
        indices_[slot] = static_cast<std::uint8_t>(count_);
        colours_[count_++] = colour;
        return true;
    }

    std::array<std::uint32_t, kSlots> keys_{};
    std::array<std::uint8_t, kSlots> indices_{};
    std::array<std::uint32_t, kMaxColours> colours_{};
    std::size_t count_ = 0;
};
static_assert(Palette::kMaxColours * 4 == 1u << (32 - 22), "the hash's shift matches the table");

struct Rows {
    const std::uint32_t* pixels;
    std::size_t pitch;
    std::size_t width;
    const Palette* palette;  // null for truecolour
    std::size_t rowBytes;    // the filter byte and one or three per pixel
    int level;               // for rows that are not busy
    const std::uint32_t* Row(std::size_t y) const { return pixels + y * pitch; }
};

// How many pixels equal their left neighbour: most of them on a screen,
// almost none in a photograph or noise, where deflate finds few matches
// and only costs time.
std::size_t Repeats(const std::uint32_t* row, std::size_t width) {
    std::size_t repeats = 0;
    for (std::size_t x = 1; x < width; ++x) repeats += ((row[x] ^ row[x - 1]) & kColourBits) == 0;
    return repeats;
}

void PutIndices(const Palette& palette, const std::uint32_t* row, std::size_t width, std::uint8_t* out) {
    std::uint32_t last = row[0] & kColourBits;
    std::uint8_t index = palette.IndexOf(last);
    for (std::size_t x = 0; x < width; ++x) {
        const std::uint32_t colour = row[x] & kColourBits;
        if (colour != last) index = palette.IndexOf(last = colour);
        out[x] = index;
    }
}

// Red, green, blue, each minus the pixel on the left when `sub`.
void PutTruecolour(const std::uint32_t* row, std::size_t width, bool sub, std::uint8_t* out) {
    std::uint32_t left = 0;
    for (std::size_t x = 0; x < width; ++x) {
        const std::uint32_t p = row[x];
        const std::uint32_t ref = sub ? left : 0u;
        out[0] = static_cast<std::uint8_t>((p >> 16) - (ref >> 16));
        out[1] = static_cast<std::uint8_t>((p >> 8) - (ref >> 8));
        out[2] = static_cast<std::uint8_t>(p - ref);
        out += 3;
        left = p;
    }
}

// One row with its filter byte; true when it is busy (few repeats).
bool PutRow(const Rows& rows, std::size_t y, std::uint8_t* out) {
    const std::uint32_t* row = rows.Row(y);
    if (y > 0 && std::memcmp(row, rows.Row(y - 1), rows.width * sizeof(std::uint32_t)) == 0) {
        out[0] = kFilterUp;
        std::memset(out + 1, 0, rows.rowBytes - 1);
        return false;
    }
    const bool busy = Repeats(row, rows.width) < rows.width / 4;
    if (rows.palette) {
        out[0] = kFilterNone;
        PutIndices(*rows.palette, row, rows.width, out + 1);
    } else {
        out[0] = busy ? kFilterSub : kFilterNone;
        PutTruecolour(row, rows.width, busy, out + 1);
    }
    return busy;
}

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

void Grow(Band& band, std::size_t atLeast) {
    const std::size_t capacity = std::max(atLeast, band.capacity * 2);
    auto bigger = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
    std::copy_n(band.out.get(), band.used, bigger.get());
    band.out = std::move(bigger);
    band.capacity = capacity;
}

// Calls `step` with room in the band's output, counting what it wrote.
template <typename Step>
int WithRoom(z_stream& stream, Band& band, Step step) {
    if (band.used == band.capacity) Grow(band, band.capacity + 65536);
    const std::size_t room = std::min<std::size_t>(band.capacity - band.used, 1u << 30);
    stream.next_out = band.out.get() + band.used;
    stream.avail_out = static_cast<uInt>(room);
    const int result = step();
    band.used += room - stream.avail_out;
    return result;
}

// Runs deflate until it has taken all input and done `flush`, growing the
// output when it fills (deflateBound makes that rare).
bool Pump(z_stream& stream, Band& band, int flush) {
    for (;;) {
        const int result = WithRoom(stream, band, [&] { return deflate(&stream, flush); });
        if (result == Z_STREAM_ERROR) return false;
        if (flush == Z_FINISH) {
            if (result == Z_STREAM_END) return true;
        } else if (stream.avail_in == 0 && stream.avail_out != 0) {
            return true;
        }
    }
}

// A chunk of mostly busy rows is matched for runs only, at the fastest
// level: several times faster there, and it loses nothing. A change ends a
// deflate block; when zlib cannot end it yet, the old setting goes on.
void ChooseStrategy(z_stream& stream, Band& band, const Rows& rows, int& current, bool busy) {
    const int wanted = busy ? Z_RLE : Z_DEFAULT_STRATEGY;
    if (wanted == current) return;
    const int level = busy ? kBusyLevel : rows.level;
    if (WithRoom(stream, band, [&] { return deflateParams(&stream, level, wanted); }) == Z_OK) current = wanted;
}

bool DeflateBand(z_stream& stream, const Rows& rows, Band& band) {
    const std::size_t chunkRows = std::max<std::size_t>(1, kChunkBytes / rows.rowBytes);
    const auto raw = std::make_unique_for_overwrite<std::uint8_t[]>(chunkRows * rows.rowBytes);
    int strategy = Z_DEFAULT_STRATEGY;
    band.adler = adler32(0, nullptr, 0);
    for (std::size_t done = 0; done < band.rows;) {
        const std::size_t count = std::min(chunkRows, band.rows - done);
        std::size_t busy = 0;
        for (std::size_t i = 0; i < count; ++i) busy += PutRow(rows, band.top + done + i, raw.get() + i * rows.rowBytes);
        done += count;
        ChooseStrategy(stream, band, rows, strategy, busy * 2 > count);
        const auto bytes = static_cast<uInt>(count * rows.rowBytes);
        band.adler = adler32(band.adler, raw.get(), bytes);
        stream.next_in = raw.get();
        stream.avail_in = bytes;
        const int flush = done < band.rows ? Z_NO_FLUSH : band.last ? Z_FINISH : Z_FULL_FLUSH;
        if (!Pump(stream, band, flush)) return false;
    }
    return true;
}

// Raw deflate (no zlib header of its own): the bands are joined into one
// stream under a single header and checksum.
void CompressBand(const Rows& rows, Band& band) {
    z_stream stream{};
    if (deflateInit2(&stream, rows.level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return;
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

// The signature, the header and, for a palette picture, its colours.
std::uint8_t* PutHeader(std::uint8_t* at, const Rows& rows, std::uint32_t height) {
    constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    at = std::copy(kSignature.begin(), kSignature.end(), at);
    std::uint8_t* chunk = at;
    at = std::copy_n("\0\0\0\0IHDR", 8, at);
    at = PutBe32(PutBe32(at, static_cast<std::uint32_t>(rows.width)), height);
    // 8 bits a channel or index, palette or truecolour, deflate, adaptive
    // filters, no interlace.
    const std::array<std::uint8_t, 5> format{8, static_cast<std::uint8_t>(rows.palette ? 3 : 2), 0, 0, 0};
    std::copy(format.begin(), format.end(), at);
    at = CloseChunk(chunk, 13);
    if (!rows.palette) return at;
    chunk = at;
    at = std::copy_n("\0\0\0\0PLTE", 8, at);
    for (std::size_t i = 0; i < rows.palette->Size(); ++i) {
        const std::uint32_t colour = rows.palette->Colour(i);
        *at++ = static_cast<std::uint8_t>(colour >> 16);
        *at++ = static_cast<std::uint8_t>(colour >> 8);
        *at++ = static_cast<std::uint8_t>(colour);
    }
    return CloseChunk(chunk, static_cast<std::uint32_t>(3 * rows.palette->Size()));
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
    const std::size_t paletteChunk = rows.palette ? 12 + 3 * rows.palette->Size() : 0;
    const std::size_t framing = 8 + 25 + paletteChunk + 12 + 2 + 4 + 12;
    std::size_t compressed = 0;
    for (const Band& band : bands) {
        if (!band.ok) return false;
        compressed += band.used;
    }
    const std::size_t idatLength = 2 + compressed + 4;
    if (idatLength > kMaxRawBytes) return false;
    file.resize(framing + compressed);
    std::uint8_t* at = PutHeader(file.data(), rows, height);
    at = PutImageData(at, bands, rows.rowBytes, static_cast<std::uint32_t>(idatLength));
    PutEnd(at);
    return true;
}

}  // namespace

bool EncodePngInto(std::vector<std::uint8_t>& file, const std::uint32_t* topDownPixels, std::size_t rowPitch,
                   int width, int height, unsigned bands) {
    file.clear();
    if (!topDownPixels || width <= 0 || height <= 0 || rowPitch < static_cast<std::size_t>(width)) return false;
    const auto columns = static_cast<std::size_t>(width);
    const auto lines = static_cast<std::size_t>(height);
    if ((1 + 3 * static_cast<std::uint64_t>(columns)) * lines > kMaxRawBytes) return false;
    try {
        const auto palette = std::make_unique<Palette>();
        const bool indexed = palette->Collect(topDownPixels, rowPitch, columns, lines);
        const Rows rows{topDownPixels, rowPitch, columns, indexed ? palette.get() : nullptr,
                        1 + (indexed ? 1 : 3) * columns, indexed ? kPaletteLevel : kTruecolourLevel};
        std::vector<Band> parts = SplitIntoBands(lines, bands);
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
