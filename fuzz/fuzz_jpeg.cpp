// Any bytes dropped as a .JPG file: the decoder may only fail with
// digitize::Error and must leak nothing. The program reuses one decoder for
// every picture the user opens, so nothing may carry over from one file to
// the next either: not a failure, not the tables of an earlier file.
#include "Features.h"
#include "digitize/Errors.h"
#include "digitize/picture/JpegDecoder.h"
#include "digitize/picture/Surface.h"

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// clang-format off
#include <jpeglib.h>
// clang-format on

namespace {

// Pictures up to this many pixels are decoded in full. A few hundred bytes can
// announce a picture a surface still holds (up to 2^28 pixels, 1 GiB) and
// decode it without a single missing bit, which takes seconds and a gigabyte
// per input: those are skipped. Headers beyond what a surface holds still go
// through, as they are refused before anything is allocated.
constexpr std::int64_t MaxDecodedPixels = std::int64_t{1} << 20;

// Small, so that multi-scan files also take the refusal path.
constexpr std::size_t WorkingMemory = std::size_t{8} << 20;

struct HeaderProbe {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    std::jmp_buf escape{};

    static void ErrorExit(j_common_ptr cinfo) {
        features::Note(features::Kind::Error, static_cast<std::uint64_t>(cinfo->err->msg_code));
        std::longjmp(static_cast<HeaderProbe *>(cinfo->client_data)->escape, 1);
    }
    // Every marker libjpeg parses passes here as a trace message.
    static void Message(j_common_ptr cinfo, int level) {
        features::Note(level < 0 ? features::Kind::Warning : features::Kind::Trace,
                       static_cast<std::uint64_t>(cinfo->err->msg_code));
    }
};

void NoteHeader(const jpeg_decompress_struct &cinfo) {
    using features::NoteField;
    NoteField(1, cinfo.jpeg_color_space);
    NoteField(2, static_cast<std::uint64_t>(cinfo.num_components));
    NoteField(3, cinfo.progressive_mode ? 1 : 0);
    NoteField(4, cinfo.arith_code ? 1 : 0);
    NoteField(5, static_cast<std::uint64_t>(cinfo.data_precision));
    for (int i = 0; i < cinfo.num_components && i < 4; ++i) {
        const jpeg_component_info &c = cinfo.comp_info[i];
        NoteField(6, static_cast<std::uint64_t>(i << 16 | c.h_samp_factor << 8 | c.v_samp_factor));
    }
    NoteField(7, features::Magnitude(cinfo.restart_interval));
    NoteField(8, cinfo.saw_JFIF_marker ? 1 : 0);
    NoteField(9, cinfo.saw_Adobe_marker ? 256u + cinfo.Adobe_transform : 0);
    NoteField(10, features::Magnitude(cinfo.output_width));
    NoteField(11, features::Magnitude(cinfo.output_height));
    NoteField(12, static_cast<std::uint64_t>(cinfo.comps_in_scan));
}

// The output size the header announces, read with libjpeg itself so that it
// agrees with the decoder; -1 when there is no readable header.
std::int64_t AnnouncedPixels(const std::uint8_t *data, std::size_t size) {
    HeaderProbe probe;
    probe.cinfo.err = jpeg_std_error(&probe.errors);
    probe.errors.error_exit = &HeaderProbe::ErrorExit;
    probe.errors.emit_message = &HeaderProbe::Message;
    probe.cinfo.client_data = &probe;
    volatile std::int64_t pixels = -1;
    if (setjmp(probe.escape) == 0) {
        jpeg_create_decompress(&probe.cinfo);
        jpeg_mem_src(&probe.cinfo, data, static_cast<unsigned long>(size));
        if (jpeg_read_header(&probe.cinfo, TRUE) == JPEG_HEADER_OK) {
            jpeg_calc_output_dimensions(&probe.cinfo);
            NoteHeader(probe.cinfo);
            pixels = static_cast<std::int64_t>(probe.cinfo.output_width) *
                     static_cast<std::int64_t>(probe.cinfo.output_height);
        }
    }
    jpeg_destroy_decompress(&probe.cinfo);
    return pixels;
}

struct Outcome {
    std::string error;
    int width = 0;
    int height = 0;
    std::uint64_t digest = 0;
    friend bool operator==(const Outcome &, const Outcome &) = default;
};

// "JPEG error #<n>" by its number, other messages by their first words
// (not the sizes they name).
void NoteError(const std::string &message) {
    constexpr std::string_view numbered = "JPEG error #";
    if (message.starts_with(numbered)) {
        features::Note(features::Kind::Error,
                       std::strtoull(message.c_str() + numbered.size(), nullptr, 10));
        return;
    }
    const auto words = message.substr(0, message.find_first_of("0123456789"));
    features::Note(features::Kind::Outcome, std::hash<std::string>{}(words));
}

Outcome DecodeOnce(digitize::JpegDecoder &decoder, std::span<const std::uint8_t> bytes) {
    Outcome outcome;
    try {
        const digitize::Surface picture = decoder.Decode(bytes);
        outcome.width = picture.Width();
        outcome.height = picture.Height();
        // FNV-1a over the pixel words, to compare decodes.
        std::uint64_t digest = 14695981039346656037u;
        for (int y = 0; y < picture.Height(); ++y) {
            const std::uint32_t *row = picture.Row(y);
            for (int x = 0; x < picture.Width(); ++x)
                digest = (digest ^ row[x]) * 1099511628211u;
        }
        outcome.digest = digest;
        features::Note(features::Kind::Outcome, 0);
    } catch (const digitize::Error &e) {
        outcome.error = e.what();
        if (outcome.error.empty())
            __builtin_trap();
        NoteError(outcome.error);
    }
    return outcome;
}

// A small complete file with libjpeg's standard tables, decoded between two
// decodes of the input: nothing of it may carry over into the second.
std::vector<std::uint8_t> &Other() {
    static std::vector<std::uint8_t> bytes;
    return bytes;
}
Outcome &OtherOutcome() {
    static Outcome outcome;
    return outcome;
}

std::vector<std::uint8_t> EncodeOther() {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors); // cannot fail with these settings
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = 16;
    cinfo.image_height = 16;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::uint8_t row[16 * 3];
    for (std::size_t i = 0; i < sizeof row; ++i)
        row[i] = static_cast<std::uint8_t>(i * 37);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    Other() = EncodeOther();
    digitize::JpegDecoder decoder;
    OtherOutcome() = DecodeOnce(decoder, Other());
    if (!OtherOutcome().error.empty())
        __builtin_trap();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::int64_t pixels = AnnouncedPixels(data, size);
    if (pixels > MaxDecodedPixels && pixels <= digitize::MaxPixels)
        return -1; // not worth keeping in the corpus either
    const std::span<const std::uint8_t> bytes(data, size);
    // One decoder for all three, as the program keeps one: whatever the input
    // did, the next file decodes as it would alone, and the input decodes the
    // same again after it.
    digitize::JpegDecoder decoder;
    decoder.SetWorkingMemoryLimit(WorkingMemory);
    const Outcome first = DecodeOnce(decoder, bytes);
    if (!(DecodeOnce(decoder, Other()) == OtherOutcome()))
        __builtin_trap();
    if (!(DecodeOnce(decoder, bytes) == first))
        __builtin_trap();
    return 0;
}
