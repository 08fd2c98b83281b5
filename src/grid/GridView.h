#pragma once

#include <QStaticText>
#include <QWidget>
#include <vector>

namespace orv {

class GridModel;

// The time canvas (Frame2): half-hour header, row and half-hour lines, the
// programme cells, their markers and the now line, painted from the model at
// 15 twips a pixel. Only what is in view is painted.
class GridView : public QWidget {
    Q_OBJECT
public:
    explicit GridView(QWidget *parent = nullptr);

    void setModel(const GridModel *model);
    // Horizontal value (half hours) and vertical value (rows).
    void setScroll(int h, int v);
    // The now line's X in twips (canvas coordinates), or hidden.
    void setNowLine(bool visible, int x);
    bool nowLineVisible() const { return nowVisible_; }
    int nowLineX() const { return nowX_; }
    // Cells drawn by the last paint (for checks of what is in view).
    int paintedCells() const { return painted_; }

    // What lies under a point of the canvas.
    enum class Hit { Canvas, Cell, Other };
    Hit hitTest(const QPoint &pos, int *cell = nullptr, QPoint *inCellTw = nullptr) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const GridModel *model_ = nullptr;
    int h_ = 0;
    int v_ = 0;
    bool nowVisible_ = false;
    int nowX_ = 0;
    int painted_ = 0;
    // Each cell's title laid out once (elided to its width) per build.
    std::vector<QStaticText> titles_;
    std::vector<bool> laidOut_;
};

} // namespace orv
