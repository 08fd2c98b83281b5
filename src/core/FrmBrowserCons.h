#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;

namespace orv {

// Picks the movie-catalogue database from drive, folder and file lists; a
// double click on a file writes its full path into the preferences window.
class FrmBrowserCons : public QWidget {
    Q_OBJECT
public:
    FrmBrowserCons();

    // A size in bytes as megabytes: "##0.0#" in the user's locale, " MB".
    static QString fsyze(qint64 bytes);
    // Folder and file name joined with one "/".
    static QString joinPath(const QString &folder, const QString &name);
    // The files of a folder the catalogue can be: "*.mdb" and SQLite databases.
    static QStringList catalogueFiles(const QString &folder);

    // Dir1's folder; changing it moves File1 there.
    QString folder() const { return folder_; }
    void setFolder(const QString &path);

    void Drive1_Change();
    void File1_DblClick(const QString &name);

    QComboBox *Drive1 = nullptr;
    QListWidget *Dir1 = nullptr;
    QListWidget *File1 = nullptr;
    QLabel *Label1 = nullptr;

private:
    void fillDrives();
    QString folder_;
    QLabel *folderLabel_ = nullptr;
};

} // namespace orv
