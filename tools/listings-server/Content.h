#pragma once

#include "Channels.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

namespace listings {

// Everything the server delivers, as the bytes that go on the wire. `base` is
// the server's own address ("http://host:port"), written into scripts and
// links so that they point back here.

// Code page 1252 bytes of a text (files and pages of the guide are not UTF-8).
QByteArray cp1252(const QString &text);

QByteArray checkFile(const Channel &channel);
QByteArray scriptFile(const Channel &channel, const QString &base); // empty: no script
QByteArray dayFile(const Channel &channel, const QDate &day, const QString &base);

// The web pages that the script channels scrape, and the detail page of one
// programme with its cover picture.
QByteArray la7Page(const QDate &day, const QString &base);
QByteArray gulpPage(const QDate &day, const QString &base);
QByteArray detailPage(const Channel &channel, const QDate &day, int number, const QString &base); // empty: none

QStringList highlightNames(const QDate &today);
QByteArray highlightList(const QDate &today);
QByteArray highlightPage(const QString &name, const QDate &today, const QString &base); // empty: unknown

QString channelFileName(const Channel &channel);
QByteArray channelList();
QByteArray channelFile(const Channel &channel);

QByteArray productPage(const QString &release);

} // namespace listings
