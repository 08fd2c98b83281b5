#include "ChannelLogo.h"

#include <QFontMetrics>
#include <QImage>
#include <QMutex>
#include <QPainter>
#include <QStringList>

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

// An uncompressed GIF of eight colours: a clear code every two pixels keeps
// the LZW table from growing, so every code stays four bits wide.
QByteArray gif(int width, int height, const QList<QRgb> &palette, const std::vector<uint8_t> &pixels)
{
    QByteArray out("GIF89a");
    auto word = [&](int v) { out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    word(width);
    word(height);
    out.append(char(0x82)); // global colour table of 8 entries
    out.append('\0').append('\0');
    for (int i = 0; i < 8; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : 0;
        out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    }
    out.append(',');
    word(0);
    word(0);
    word(width);
    word(height);
    out.append('\0');
    out.append(char(3)); // minimum code size
    const int clear = 8, end = 9;
    BitPacker bits;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (i % 2 == 0)
            bits.put(clear, 4);
        bits.put(pixels[i], 4);
    }
    bits.put(end, 4);
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

// The grid's name box is 1155 x 555 twips, 15 twips a pixel: drawn at that size
// the logo is never stretched there.
constexpr int Width = 77, Height = 37, Margin = 3;

struct Layout {
    QStringList lines;
    QFont font;
};

QFont logoFont(int pixelSize, int stretch)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(pixelSize);
    f.setStretch(stretch);
    return f;
}

bool fits(const QStringList &lines, const QFont &font)
{
    const QFontMetrics m(font);
    int widest = 0;
    for (const QString &l : lines)
        widest = std::max(widest, m.horizontalAdvance(l));
    return widest <= Width - 2 * Margin && lines.size() * m.height() <= Height - 2;
}

// The largest bold font that fits the name, on one line if it can, else on
// two split at a blank; letters are narrowed before the font is made smaller.
Layout fitName(const QString &name)
{
    QList<QStringList> splits;
    const QStringList words = name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int i = 1; i < words.size(); ++i)
        splits.append({words.mid(0, i).join(QLatin1Char(' ')), words.mid(i).join(QLatin1Char(' '))});
    const int stretches[] = {QFont::Unstretched, QFont::SemiCondensed, QFont::Condensed};
    for (int size = 16; size >= 7; --size) {
        for (const int stretch : stretches)
            if (fits({name}, logoFont(size, stretch)))
                return {{name}, logoFont(size, stretch)};
        for (const int stretch : stretches)
            for (const QStringList &lines : splits)
                if (fits(lines, logoFont(size, stretch)))
                    return {lines, logoFont(size, stretch)};
    }
    return {{name}, logoFont(7, QFont::Condensed)};
}

} // namespace

QByteArray channelLogo(int code, const QString &name)
{
    // The server draws from several threads; the font machinery is shared.
    static QMutex drawing;
    const QMutexLocker lock(&drawing);
    const QColor field(40 + (code * 53) % 180, 40 + (code * 97) % 180, 40 + (code * 31) % 180);
    const QColor ink = qGray(field.rgb()) > 140 ? QColor(Qt::black) : QColor(Qt::white);
    // The name's coverage, drawn alone, then mapped to the field, the ink and
    // three steps between them, so its edges stay smooth in eight colours.
    QImage cover(Width, Height, QImage::Format_Grayscale8);
    cover.fill(0);
    const Layout layout = fitName(name.simplified());
    {
        QPainter p(&cover);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setPen(Qt::white);
        p.setFont(layout.font);
        const int lineHeight = QFontMetrics(layout.font).height();
        const int top = (Height - lineHeight * int(layout.lines.size())) / 2;
        for (int i = 0; i < layout.lines.size(); ++i)
            p.drawText(QRect(Margin, top + i * lineHeight, Width - 2 * Margin, lineHeight), Qt::AlignCenter,
                       layout.lines[i]);
    }
    QList<QRgb> palette{field.rgb(), ink.rgb(), qRgb(0, 0, 0)};
    for (const int step : {1, 2, 3})
        palette.append(qRgb((field.red() * (4 - step) + ink.red() * step) / 4,
                            (field.green() * (4 - step) + ink.green() * step) / 4,
                            (field.blue() * (4 - step) + ink.blue() * step) / 4));
    const uint8_t steps[5] = {0, 3, 4, 5, 1};
    std::vector<uint8_t> px(size_t(Width * Height), 0);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            uint8_t &p = px[size_t(y * Width + x)];
            if (x == 0 || y == 0 || x == Width - 1 || y == Height - 1)
                p = 2;
            else
                p = steps[(cover.constScanLine(y)[x] + 32) / 64];
        }
    return gif(Width, Height, palette, px);
}

} // namespace orv::tools
