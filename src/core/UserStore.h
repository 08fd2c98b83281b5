#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace orv {

// The per-user settings store: values of section "Options" under an
// application name ("Orvento" for the program's own values).
class UserStore {
public:
    explicit UserStore(const QString &application = QStringLiteral("Orvento"));
    // A store kept in the given file (tests, portable setups).
    static UserStore atFile(const QString &path);
    ~UserStore();
    UserStore(UserStore &&) noexcept;
    UserStore &operator=(UserStore &&) noexcept;

    QString value(const QString &name, const QString &defaultValue = QString()) const;
    // False when the store could not be written.
    bool setValue(const QString &name, const QString &value);

private:
    explicit UserStore(std::unique_ptr<QSettings> settings);
    std::unique_ptr<QSettings> settings_;
};

} // namespace orv
