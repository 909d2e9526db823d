#include "digitize/picture/GifCheck.h"

#include "digitize/Errors.h"

namespace digitize {
namespace {

constexpr std::uint8_t ExtensionIntroducer = 0x21;
constexpr std::uint8_t ImageSeparator = 0x2C;
constexpr std::uint8_t ColourTableFlag = 0x80;

[[noreturn]] void CutShort() {
    throw Error("the GIF file ends inside its first image");
}

class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint8_t Byte() {
        if (at_ >= bytes_.size())
            CutShort();
        return bytes_[at_++];
    }
    void Skip(std::size_t count) {
        if (count > bytes_.size() - at_)
            CutShort();
        at_ += count;
    }
    // A colour table follows a packed field whose top bit is set.
    void SkipColourTable(std::uint8_t packed) {
        if ((packed & ColourTableFlag) != 0)
            Skip(3u << ((packed & 7u) + 1u));
    }
    // Data sub-blocks: a size byte, that many bytes, until a size of 0.
    void SkipSubBlocks() {
        for (std::uint8_t size = Byte(); size != 0; size = Byte())
            Skip(size);
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

} // namespace

void CheckGifFirstImage(std::span<const std::uint8_t> file) {
    Reader gif(file);
    gif.Skip(6 + 4); // signature and version, screen width and height
    const std::uint8_t packed = gif.Byte();
    gif.Skip(2); // background colour, pixel aspect
    gif.SkipColourTable(packed);
    for (;;) {
        const std::uint8_t block = gif.Byte();
        if (block == ExtensionIntroducer) {
            gif.Skip(1); // the label
            gif.SkipSubBlocks();
        } else if (block == ImageSeparator) {
            gif.Skip(8); // left, top, width, height
            gif.SkipColourTable(gif.Byte());
            gif.Skip(1); // the smallest LZW code size
            gif.SkipSubBlocks();
            return;
        } else {
            throw Error("the GIF file holds no image");
        }
    }
}

} // namespace digitize
