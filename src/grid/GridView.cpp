#include "grid/GridView.h"

#include "grid/GridModel.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <memory>

namespace orv {

using namespace grid;

namespace {

const QColor LineColour(0xC0, 0xC0, 0xC0);
const QColor BorderColour(0x80, 0x80, 0x80);
const QColor FavColour(0xFF, 0xC0, 0x00);
const QColor LinkColour(0x00, 0x60, 0xD0);

} // namespace

GridView::GridView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    QFont f = font();
    f.setPointSize(8);
    setFont(f);
}

void GridView::setModel(const GridModel *model)
{
    model_ = model;
    // Thousands of laid-out titles are freed after the next paint.
    auto old = std::make_shared<std::vector<QStaticText>>(std::move(titles_));
    QTimer::singleShot(0, this, [old] {});
    titles_.clear();
    laidOut_.clear();
    update();
}

void GridView::setScroll(int h, int v)
{
    h_ = h;
    v_ = v;
    update();
}

void GridView::setNowLine(bool visible, int x)
{
    nowVisible_ = visible;
    nowX_ = x;
    update();
}

void GridView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    painted_ = 0;
    if (!model_)
        return;
    const int widthTw = width() * TwipsPerPixel;
    const int heightTw = height() * TwipsPerPixel;

    // Lines do not move: they repeat every step.
    p.setPen(LineColour);
    for (int x = HalfHourLineOffsetTw; px(x) < width(); x += HalfHourTw)
        p.drawLine(px(x), 0, px(x), height());
    const int rows = int(model_->rows.size());
    for (int k = 0; k < rows && RowLineOffsetTw + k * RowTw < heightTw; ++k) {
        const int y = px(RowLineOffsetTw + k * RowTw);
        p.drawLine(px(RowLineLeftTw), y, width(), y);
    }

    // Header: every half hour of every grid day.
    p.setPen(Qt::black);
    const int firstLabel = std::max(0, h_ - 1);
    const int lastLabel = std::min(model_->halfHours() - 1, h_ + widthTw / HalfHourTw + 1);
    for (int k = firstLabel; k <= lastLabel; ++k) {
        const QRect r = pxRect(GridModel::leftAt(GridModel::PosizioneOre(k), h_), HeaderTopTw, HeaderWidthTw,
                               HeaderHeightTw);
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, halfHourText(k));
    }

    // Cells of the rows in view; a hidden row is one whose Top is negative.
    const int lastRow = std::min(rows - 1, v_ + heightTw / RowTw + 1);
    const QFontMetrics fm(font());
    if (titles_.size() != model_->cells.size()) {
        titles_.assign(model_->cells.size(), QStaticText());
        laidOut_.assign(model_->cells.size(), false);
    }
    for (int r = std::max(0, v_); r <= lastRow; ++r) {
        const auto [first, end] = model_->rowCells(r);
        const int top = CellTopTw + (r - v_) * RowTw;
        for (int i = first; i < end; ++i) {
            const GridCell &c = model_->cells[size_t(i)];
            const int left = GridModel::leftAt(c.left, h_);
            if (left + c.width < 0 || left > widthTw)
                continue;
            const QRect box = pxRect(left, top, c.width, CellHeightTw);
            p.fillRect(box, bgrColor(c.colours.back));
            p.setPen(BorderColour);
            p.drawRect(box.adjusted(0, 0, -1, -1));
            p.setPen(bgrColor(c.colours.fore));
            if (!laidOut_[size_t(i)]) {
                QStaticText &t = titles_[size_t(i)];
                t.setTextFormat(Qt::PlainText);
                t.setText(fm.elidedText(c.Titolo, Qt::ElideRight, std::max(0, box.width() - 5)));
                t.prepare(QTransform(), font());
                laidOut_[size_t(i)] = true;
            }
            const QStaticText &t = titles_[size_t(i)];
            p.drawStaticText(box.left() + 3, box.top() + (box.height() - int(t.size().height())) / 2, t);
            ++painted_;
        }
    }

    // Markers over the cells.
    auto paintMarkers = [&](const std::vector<GridMarker> &markers, int dx, int dy, const QColor &colour) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        for (const GridMarker &m : markers) {
            if (!m.visible || m.cell < 0 || m.cell >= model_->ContaLabProg())
                continue;
            const int top = model_->cellTopAt(m.cell, v_) + dy;
            const int left = model_->cellLeftAt(m.cell, h_) + dx;
            if (top < 0 || top > heightTw || left + MarkerSizeTw < 0 || left > widthTw)
                continue;
            p.drawEllipse(pxRect(left, top, MarkerSizeTw, MarkerSizeTw));
        }
    };
    paintMarkers(model_->favMarkers, FavMarkerDx, FavMarkerDy, FavColour);
    paintMarkers(model_->linkMarkers, LinkMarkerDx, LinkMarkerDy, LinkColour);

    if (nowVisible_ && px(nowX_) >= -2 && px(nowX_) <= width() + 2)
        p.fillRect(QRect(px(nowX_) - 1, 0, 3, height()), QColor(0xFF, 0x00, 0x00));
}

GridView::Hit GridView::hitTest(const QPoint &pos, int *cell, QPoint *inCellTw) const
{
    if (!model_)
        return Hit::Canvas;
    const int x = pos.x() * TwipsPerPixel;
    const int y = pos.y() * TwipsPerPixel;
    auto onMarker = [&](const std::vector<GridMarker> &markers, int dx, int dy) {
        for (const GridMarker &m : markers) {
            if (!m.visible || m.cell < 0 || m.cell >= model_->ContaLabProg())
                continue;
            const int top = model_->cellTopAt(m.cell, v_) + dy;
            const int left = model_->cellLeftAt(m.cell, h_) + dx;
            if (top >= 0 && x >= left && x < left + MarkerSizeTw && y >= top && y < top + MarkerSizeTw)
                return true;
        }
        return false;
    };
    if (y < CellTopTw)
        return Hit::Other;
    const int r = v_ + (y - CellTopTw) / RowTw;
    const int top = CellTopTw + (r - v_) * RowTw;
    if (r < int(model_->rows.size()) && y < top + CellHeightTw) {
        const auto [first, end] = model_->rowCells(r);
        // The later cell lies in front.
        for (int i = end - 1; i >= first; --i) {
            const int left = model_->cellLeftAt(i, h_);
            if (x >= left && x < left + model_->cells[size_t(i)].width) {
                if (onMarker(model_->favMarkers, FavMarkerDx, FavMarkerDy) ||
                    onMarker(model_->linkMarkers, LinkMarkerDx, LinkMarkerDy))
                    return Hit::Other;
                if (cell)
                    *cell = i;
                if (inCellTw)
                    *inCellTw = QPoint(x - left, y - top);
                return Hit::Cell;
            }
        }
    }
    return Hit::Canvas;
}

} // namespace orv
