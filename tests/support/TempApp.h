#pragma once

#include <QString>
#include <QTemporaryDir>

namespace orv::test {

// A complete, throw-away application folder: the content of data/ and fresh
// databases made from the schema. Sets PercorsoApp and the database paths.
class TempApp {
public:
    TempApp();
    QString path() const { return dir_.path(); }
    QString file(const QString &relative) const;
    QString db(const QString &name) const { return file(QStringLiteral("database/") + name); }

private:
    QTemporaryDir dir_;
};

// The source tree's data/ folder.
QString sourceData(const QString &relative = QString());

} // namespace orv::test
