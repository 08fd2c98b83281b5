#include "core/UserStore.h"

#include <QSettings>

namespace orv {

namespace {
QString key(const QString &name) { return QStringLiteral("Options/") + name; }
} // namespace

UserStore::UserStore(const QString &application)
    : settings_(std::make_unique<QSettings>(QStringLiteral("Orvento"), application))
{
}

UserStore::UserStore(std::unique_ptr<QSettings> settings) : settings_(std::move(settings)) {}

UserStore UserStore::atFile(const QString &path)
{
    return UserStore(std::make_unique<QSettings>(path, QSettings::IniFormat));
}

UserStore::~UserStore() = default;
UserStore::UserStore(UserStore &&) noexcept = default;
UserStore &UserStore::operator=(UserStore &&) noexcept = default;

QString UserStore::value(const QString &name, const QString &defaultValue) const
{
    return settings_->value(key(name), defaultValue).toString();
}

bool UserStore::setValue(const QString &name, const QString &value)
{
    settings_->setValue(key(name), value);
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

} // namespace orv
