#include "grid/GridColumn.h"

#include "grid/GridModel.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace orv {

using namespace grid;

QFont fitCodeFont(const QFont &base, const QStringList &codes, int widthPx)
{
    // Narrowed glyphs keep their height, so a code stays readable in the
    // 11-pixel box: four digits need both narrowing and a smaller size.
    static constexpr int Stretches[] = {QFont::Unstretched, QFont::SemiCondensed, QFont::Condensed,
                                        QFont::ExtraCondensed};
    constexpr int SmallestPx = 4;
    QFont f = base;
    for (int size = std::max(SmallestPx, QFontInfo(base).pixelSize()); size >= SmallestPx; --size) {
        f.setPixelSize(size);
        for (int stretch : Stretches) {
            f.setStretch(stretch);
            const QFontMetrics m(f);
            const bool fits = std::all_of(codes.begin(), codes.end(),
                                          [&](const QString &c) { return m.horizontalAdvance(c) <= widthPx; });
            if (fits)
                return f;
        }
    }
    return f;
}

GridColumn::GridColumn(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    QFont f = font();
    f.setPointSize(8);
    setFont(f);
    codeFont_ = f;
}

void GridColumn::setModel(const GridModel *model)
{
    model_ = model;
    QStringList codes;
    if (model_)
        for (const GridRow &row : model_->rows)
            codes << row.Canale;
    codeFont_ = fitCodeFont(font(), codes, pxRect(CodeLeftTw, 0, CodeWidthTw, RowHeightTw).width());
    update();
}

void GridColumn::setScroll(int v)
{
    v_ = v;
    update();
}

const QPixmap &GridColumn::logo(const QString &path)
{
    auto it = logos_.find(path);
    if (it == logos_.end())
        it = logos_.insert(path, QPixmap(path));
    return *it;
}

void GridColumn::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (!model_)
        return;
    const int heightTw = height() * TwipsPerPixel;
    const int rows = int(model_->rows.size());
    const int last = std::min(rows - 1, v_ + heightTw / RowTw + 1);
    for (int r = std::max(0, v_ - 1); r <= last; ++r) {
        const GridRow &row = model_->rows[size_t(r)];
        const int top = GridModel::TopRiga(r - v_);
        const QString badge = row.badge();
        if (!badge.isEmpty()) {
            const QRect b = pxRect(BadgeLeftTw, top, BadgeWidthTw, RowHeightTw);
            p.fillRect(b, Qt::white);
            p.setPen(Qt::black);
            p.drawRect(b.adjusted(0, 0, -1, -1));
            p.save();
            p.translate(b.center());
            p.rotate(-90);
            p.drawText(QRect(-b.height() / 2, -b.width() / 2, b.height(), b.width()), Qt::AlignCenter, badge);
            p.restore();
        }
        const QRect name = pxRect(NameLeftTw, top, NameWidthTw, RowHeightTw);
        const QPixmap &pic = row.logo.isEmpty() ? QPixmap() : logo(row.logo);
        if (!pic.isNull()) {
            p.drawPixmap(name, pic);
        } else {
            p.fillRect(name, Qt::white);
            p.setPen(Qt::black);
            p.drawRect(name.adjusted(0, 0, -1, -1));
            p.drawText(name.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                       row.NOMETV);
        }
        const QRect code = pxRect(CodeLeftTw, top, CodeWidthTw, RowHeightTw);
        quint32 back = 0xFFFFFF, fore = 0;
        row.codeColours(back, fore);
        p.fillRect(code, bgrColor(back));
        p.setPen(bgrColor(fore));
        p.setFont(codeFont_);
        p.drawText(code, Qt::AlignCenter, row.Canale);
        p.setFont(font());
    }
}

int GridColumn::rowAtY(int y) const
{
    const int r = v_ + y / RowTw;
    if (!model_ || y < 0 || y % RowTw >= RowHeightTw || r >= int(model_->rows.size()))
        return -1;
    return r;
}

int GridColumn::rowAt(const QPoint &pos) const
{
    const int x = pos.x() * TwipsPerPixel;
    if (x < NameLeftTw || x >= NameLeftTw + NameWidthTw)
        return -1;
    return rowAtY(pos.y() * TwipsPerPixel);
}

bool GridColumn::onCodeOrBadge(const QPoint &pos) const
{
    const int r = rowAtY(pos.y() * TwipsPerPixel);
    if (r < 0)
        return false;
    const int x = pos.x() * TwipsPerPixel;
    if (x >= CodeLeftTw && x < CodeLeftTw + CodeWidthTw)
        return true;
    return x >= BadgeLeftTw && x < BadgeLeftTw + BadgeWidthTw && !model_->rows[size_t(r)].badge().isEmpty();
}

} // namespace orv
