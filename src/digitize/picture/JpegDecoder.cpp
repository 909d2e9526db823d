#include "digitize/picture/JpegDecoder.h"

#include "digitize/Errors.h"

#include <csetjmp>
#include <string>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace digitize {
namespace {

// Progressive files can carry any number of scans, each a pass over the whole
// picture; real files use about ten.
constexpr int MaxScans = 1000;
constexpr std::size_t DefaultWorkingMemory = std::size_t{2} << 30;
constexpr int TooManyScans = -1;

// Warnings that mean image data were lost: the picture would be partly wrong.
bool IsDataLoss(int code) {
    return code == JWRN_JPEG_EOF || code == JWRN_HUFF_BAD_CODE || code == JWRN_MUST_RESYNC ||
           code == JWRN_HIT_MARKER;
}

} // namespace

// Everything libjpeg points into, at a stable address. The functions that
// call setjmp keep no objects with destructors, so the longjmp from
// ErrorExit crosses only C frames and skips nothing that needs unwinding.
struct JpegState {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errorManager{};
    jpeg_progress_mgr progress{};
    std::jmp_buf escape{};
    int failure = 0;
    bool created = false;
    bool used = false;
    std::size_t memoryLimit = DefaultWorkingMemory;

    static JpegState &Of(j_common_ptr cinfo) {
        return *static_cast<JpegState *>(cinfo->client_data);
    }

    static void ErrorExit(j_common_ptr cinfo) {
        JpegState &self = Of(cinfo);
        self.failure = cinfo->err->msg_code;
        std::longjmp(self.escape, 1);
    }
    static void EmitMessage(j_common_ptr cinfo, int level) {
        if (level < 0 && IsDataLoss(cinfo->err->msg_code))
            ErrorExit(cinfo);
    }
    static void Progress(j_common_ptr cinfo) {
        auto *d = reinterpret_cast<j_decompress_ptr>(cinfo);
        if (d->input_scan_number > MaxScans) {
            Of(cinfo).failure = TooManyScans;
            std::longjmp(Of(cinfo).escape, 1);
        }
    }
};

namespace {

using State = JpegState;

bool Create(State &s) {
    s.cinfo.err = jpeg_std_error(&s.errorManager);
    s.errorManager.error_exit = &State::ErrorExit;
    s.errorManager.emit_message = &State::EmitMessage;
    s.cinfo.client_data = &s;
    if (setjmp(s.escape))
        return false;
    jpeg_create_decompress(&s.cinfo);
    s.progress.progress_monitor = &State::Progress;
    s.cinfo.progress = &s.progress;
    s.cinfo.mem->max_memory_to_use = static_cast<long>(s.memoryLimit);
    return true;
}

// libjpeg keeps the quantisation and Huffman tables of the last file it read
// and uses them for a later file that lacks its own, so one file would decode
// differently (or not fail) after another. Each picture gets a fresh
// decompressor instead.
void Renew(State &s) {
    if (s.created)
        jpeg_destroy_decompress(&s.cinfo);
    s.created = false;
    s.used = false;
    if (!Create(s)) {
        jpeg_destroy_decompress(&s.cinfo); // whatever it had allocated
        throw Error("JPEG error #" + std::to_string(s.failure));
    }
    s.created = true;
}

bool ReadHeader(State &s, std::FILE *file) {
    if (setjmp(s.escape))
        return false;
    jpeg_stdio_src(&s.cinfo, file);
    jpeg_read_header(&s.cinfo, TRUE);
    const bool cmyk = s.cinfo.jpeg_color_space == JCS_CMYK || s.cinfo.jpeg_color_space == JCS_YCCK;
    s.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    s.cinfo.scale_num = 1;
    s.cinfo.scale_denom = 1;
    jpeg_calc_output_dimensions(&s.cinfo);
    return true;
}

// CMYK samples, as Adobe stores them (inverted) or plain, to 0xFFRRGGBB in place.
void CmykRowToWords(std::uint8_t *row, JDIMENSION width, bool inverted) {
    for (JDIMENSION i = 0; i < width; ++i) {
        std::uint8_t *p = row + 4 * static_cast<std::size_t>(i);
        unsigned c = p[0], m = p[1], y = p[2], k = p[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        // Little-endian 0xFFRRGGBB: bytes B, G, R, 0xFF.
        p[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
        p[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        p[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
        p[3] = 0xFF;
    }
}

bool ReadPixels(State &s, std::uint32_t *bits) {
    if (setjmp(s.escape))
        return false;
    jpeg_start_decompress(&s.cinfo);
    const JDIMENSION width = s.cinfo.output_width;
    const bool cmyk = s.cinfo.out_color_space == JCS_CMYK;
    const bool inverted = s.cinfo.saw_Adobe_marker;
    constexpr int Batch = 16;
    JSAMPROW rows[Batch];
    while (s.cinfo.output_scanline < s.cinfo.output_height) {
        const JDIMENSION first = s.cinfo.output_scanline;
        JDIMENSION count = s.cinfo.output_height - first;
        if (count > Batch)
            count = Batch;
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] =
                reinterpret_cast<JSAMPROW>(bits + static_cast<std::size_t>(first + i) * width);
        const JDIMENSION read = jpeg_read_scanlines(&s.cinfo, rows, count);
        if (cmyk)
            for (JDIMENSION i = 0; i < read; ++i)
                CmykRowToWords(rows[i], width, inverted);
    }
    jpeg_finish_decompress(&s.cinfo);
    return true;
}

[[noreturn]] void Fail(State &s) {
    jpeg_abort_decompress(&s.cinfo);
    if (s.failure == TooManyScans)
        throw Error("JPEG error: more than " + std::to_string(MaxScans) + " scans");
    throw Error("JPEG error #" + std::to_string(s.failure));
}

} // namespace

JpegDecoder::JpegDecoder() : state_(std::make_unique<JpegState>()) {
    if (!Create(*state_))
        throw Error("JPEG error #" + std::to_string(state_->failure));
    state_->created = true;
}

JpegDecoder::~JpegDecoder() {
    if (state_ && state_->created)
        jpeg_destroy_decompress(&state_->cinfo);
}

void JpegDecoder::SetWorkingMemoryLimit(std::size_t bytes) {
    state_->memoryLimit = bytes;
    if (state_->created)
        state_->cinfo.mem->max_memory_to_use = static_cast<long>(bytes);
}

Surface JpegDecoder::Decode(std::FILE *file) {
    return DecodeFrom(file);
}

Surface JpegDecoder::Decode(std::span<const std::uint8_t> bytes) {
    if (bytes.empty())
        throw Error("JPEG error #" + std::to_string(JERR_INPUT_EMPTY));
    // A memory stream lets both sources share one source manager.
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> stream(
        fmemopen(const_cast<std::uint8_t *>(bytes.data()), bytes.size(), "rb"), &std::fclose);
    if (!stream)
        throw Error("Not enough memory to read the JPEG data");
    return DecodeFrom(stream.get());
}

Surface JpegDecoder::DecodeFrom(std::FILE *file) {
    State &s = *state_;
    if (s.used || !s.created)
        Renew(s);
    s.used = true;
    if (!ReadHeader(s, file))
        Fail(s);
    Surface picture;
    try {
        picture = Surface::Uninitialised(static_cast<int>(s.cinfo.output_width),
                                         static_cast<int>(s.cinfo.output_height));
    } catch (...) {
        jpeg_abort_decompress(&s.cinfo);
        throw;
    }
    if (!ReadPixels(s, picture.Bits()))
        Fail(s);
    return picture;
}

} // namespace digitize
