#pragma once

#include <QFont>
#include <QHash>
#include <QPixmap>
#include <QStringList>
#include <QWidget>

namespace orv {

class GridModel;

// The font for the code boxes: as high as the base font allows, narrowed and
// then made smaller until the widest of the codes fits widthPx.
QFont fitCodeFont(const QFont &base, const QStringList &codes, int widthPx);

// The channel column (Frame1): per row the badge, the name or the logo over
// it, and the remote-control code, painted at 15 twips a pixel.
class GridColumn : public QWidget {
    Q_OBJECT
public:
    explicit GridColumn(QWidget *parent = nullptr);

    void setModel(const GridModel *model);
    void setScroll(int v);

    // The row whose name or logo box lies under a point, -1 elsewhere.
    int rowAt(const QPoint &pos) const;
    // True over a row's code box or badge.
    bool onCodeOrBadge(const QPoint &pos) const;
    // The font the code boxes are drawn with, fitted to the model's codes.
    QFont codeFont() const { return codeFont_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QPixmap &logo(const QString &path);
    // The row whose boxes span y (twips), -1 between rows or past the last.
    int rowAtY(int y) const;
    const GridModel *model_ = nullptr;
    int v_ = 0;
    QHash<QString, QPixmap> logos_;
    QFont codeFont_;
};

} // namespace orv
