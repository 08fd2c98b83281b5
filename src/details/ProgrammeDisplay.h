#pragma once

#include "core/Store.h"

#include <QDate>
#include <QFrame>
#include <optional>

class QLabel;
class QPlainTextEdit;

namespace orv {

// What the display shows of one programme, worked out without widgets.
struct ProgrammeTexts {
    QString type, title, day, start, duration, genre, status, description;
    // Empty when there is no picture to show (no cover, unknown channel).
    QString logoPath, coverPath;
    bool marked = false, reminder = false, record = false;

    // `channelCode` is the channel's IDTV, none when the channel is unknown.
    static ProgrammeTexts of(const Programme &p, const QDate &today, std::optional<qint32> channelCode);
    // yyyymmdd as dd/mm/yyyy.
    static QString dayText(qint32 data);
    // "(Gia' Trasmesso)", "Sara' trasmesso oggi" or the days still to wait.
    static QString broadcastStatus(qint32 data, const QDate &today);
    // Only the text "1" sets a state field.
    static bool isSet(const QString &stateField) { return stateField == QLatin1String("1"); }
};

// The programme display shared by the pop-up and the hover card: type, title,
// day, start, duration, genre, status, description, channel logo, cover and
// the three state icons. The owner adds its own controls around it (toggles,
// buttons) and sets the headings and tool tips it wants.
class ProgrammeDisplay : public QFrame {
    Q_OBJECT
public:
    explicit ProgrammeDisplay(QWidget *parent = nullptr);

    // Reads the programme by its key and shows it. A key with no row empties
    // the display; false then, and programme() is none. Opens no box and
    // lets no other event run meanwhile.
    bool fill(const ProgrammeKey &key);
    // Shows a programme already read (no database access but the logo's code);
    // none empties the display.
    void showRecord(const std::optional<Programme> &programme);
    const std::optional<Programme> &programme() const { return programme_; }

    // Headings of genre, start, day and duration (the card's design texts
    // until the owner sets others).
    void setHeadings(const QString &genre, const QString &start, const QString &day, const QString &duration);
    void setIconTips(const QString &favourite, const QString &reminder, const QString &record);

    QLabel *Label1 = nullptr;  // type
    QLabel *Label2 = nullptr;  // title
    QLabel *Label13 = nullptr; // day
    QLabel *Label4 = nullptr;  // start
    QLabel *Label6 = nullptr;  // duration
    QLabel *Label9 = nullptr;  // genre
    QLabel *Label15 = nullptr; // broadcast status
    QPlainTextEdit *Text1 = nullptr;
    QLabel *ImgTV = nullptr;
    QLabel *Image3 = nullptr;  // cover
    QLabel *Image2 = nullptr;  // favourite icon
    QLabel *Image1 = nullptr;  // reminder icon
    QLabel *Image11 = nullptr; // record icon
    QLabel *Label12 = nullptr; // heading: genre
    QLabel *Label3 = nullptr;  // heading: start
    QLabel *Label14 = nullptr; // heading: day
    QLabel *Label5 = nullptr;  // heading: duration

signals:
    // The mouse moved over one of the display's controls (or the frame itself).
    void controlMouseMove(QWidget *control);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void clear();
    // False when the file does not give a picture: the box is then hidden.
    bool showPicture(QLabel *box, const QString &path, const QSize &bounds);

    std::optional<Programme> programme_;
};

} // namespace orv
