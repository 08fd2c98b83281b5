#include "ChannelLogo.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace orv::tools {

namespace {

// Writes codes of a fixed width, least significant bit first, as GIF wants.
class BitPacker {
public:
    void put(int code, int width)
    {
        for (int i = 0; i < width; ++i) {
            if (code & (1 << i))
                current_ |= uint8_t(1 << used_);
            if (++used_ == 8)
                flush();
        }
    }
    std::vector<uint8_t> finish()
    {
        if (used_ > 0)
            flush();
        return bytes_;
    }

private:
    void flush()
    {
        bytes_.push_back(current_);
        current_ = 0;
        used_ = 0;
    }
    std::vector<uint8_t> bytes_;
    uint8_t current_ = 0;
    int used_ = 0;
};

// An uncompressed GIF: a clear code every two pixels keeps the LZW table from
// growing, so every code stays three bits wide.
QByteArray gif(int width, int height, const uint8_t palette[4][3], const std::vector<uint8_t> &pixels)
{
    QByteArray out("GIF89a");
    auto word = [&](int v) { out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    word(width);
    word(height);
    out.append(char(0x81)); // global colour table of 4 entries
    out.append('\0').append('\0');
    for (int i = 0; i < 4; ++i)
        for (int c = 0; c < 3; ++c)
            out.append(char(palette[i][c]));
    out.append(',');
    word(0);
    word(0);
    word(width);
    word(height);
    out.append('\0');
    out.append(char(2)); // minimum code size
    const int clear = 4, end = 5;
    BitPacker bits;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (i % 2 == 0)
            bits.put(clear, 3);
        bits.put(pixels[i], 3);
    }
    bits.put(end, 3);
    std::vector<uint8_t> data = bits.finish();
    for (size_t i = 0; i < data.size(); i += 255) {
        size_t n = std::min<size_t>(255, data.size() - i);
        out.append(char(n));
        out.append(reinterpret_cast<const char *>(data.data() + i), qsizetype(n));
    }
    out.append('\0');
    out.append(';');
    return out;
}

} // namespace

QByteArray channelLogo(int code)
{
    const int w = 40, h = 30;
    const uint8_t r = uint8_t(40 + (code * 53) % 180), g = uint8_t(40 + (code * 97) % 180),
                  b = uint8_t(40 + (code * 31) % 180);
    const uint8_t palette[4][3] = {{r, g, b}, {255, 255, 255}, {0, 0, 0}, {uint8_t(r / 2), uint8_t(g / 2), uint8_t(b / 2)}};
    std::vector<uint8_t> px(size_t(w * h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t &p = px[size_t(y * w + x)];
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1)
                p = 2;
            else if (y >= 11 && y <= 18)
                p = 1;
            else if ((x + y + code) % 7 == 0)
                p = 3;
        }
    return gif(w, h, palette, px);
}

} // namespace orv::tools
