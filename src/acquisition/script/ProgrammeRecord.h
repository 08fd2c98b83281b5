#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <array>

namespace orv {

// The programme a script is collecting. Texts taken from the page keep its
// bytes as they stand (the page is not decoded while scraping); shown() gives
// the text a window displays and the store receives.
struct ProgrammeRecord {
    QByteArray TxtCode;
    QByteArray TxtHour;
    QByteArray TxtTitle;
    QByteArray TxtLink;
    QByteArray TxtType;
    QByteArray TxtUserComments;
    QString TxtCover; // file name under covers, without folder
    // Check1(i) is filled when its field has been taken; 0..5 and 13 are used.
    std::array<bool, 14> Check1{};

    void clear()
    {
        *this = ProgrammeRecord();
    }
    // UTF-8 when the bytes are valid UTF-8, code page 1252 otherwise.
    static QString shown(const QByteArray &bytes);
};

// What the download window implements to show the record live. The engine
// holds the record; the window only displays it.
class RecordView {
public:
    virtual ~RecordView() = default;
    // Any field or check box changed.
    virtual void recordChanged(const ProgrammeRecord &record) = 0;
    // "#TAKETITLE#=" also writes the window caption.
    virtual void captionChanged(const QString &caption) = 0;
    // A cover picture was fetched and loaded (the picture stays until the next).
    virtual void coverChanged(const QImage &picture) = 0;
};

} // namespace orv
