#pragma once

#include <QString>
#include <QStringList>

namespace orv {

// Fills Lingua from the language file named by the setting `language`.
// A failure is reported with its number and description; the entries it
// left unread take the bundled Italian texts, so no caption goes blank.
void CARICA_LINGUA();

// The parsed content of one language file.
struct LanguageFile {
    QStringList entries; // what was read, at most 250 texts
    int errorNumber = 0; // 0 when the whole file was read
    QString errorText;
};

// Reads a language file: 19 header items read like comma-delimited fields,
// then 250 lines whose text starts at the 8th character, at most 820
// characters. Lines end with CR LF, LF or CR; a UTF-8 byte-order mark is
// ignored; files that are not UTF-8 are code page 1252.
LanguageFile readLanguageFile(const QString &path);

inline constexpr int LanguageHeaderItems = 19;
inline constexpr int LanguageEntries = 250;
inline constexpr int LanguageTextColumn = 8;
inline constexpr int LanguageTextMax = 820;

} // namespace orv
