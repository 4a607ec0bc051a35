#include "framework/profile.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>

namespace {

QSettings openProfile()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QCoreApplication::organizationName(),
                     QCoreApplication::applicationName());
}

QString key(const QString& section, const QString& entry)
{
    return section + QLatin1Char('/') + entry;
}

bool writeValue(const QString& section, const QString& entry, const QVariant& value)
{
    QSettings profile = openProfile();
    profile.setValue(key(section, entry), value);
    profile.sync();
    return profile.status() == QSettings::NoError;
}

}  // namespace

int getProfileInt(const QString& section, const QString& entry, int defaultValue)
{
    bool ok = false;
    const int result = openProfile().value(key(section, entry)).toInt(&ok);
    return ok ? result : defaultValue;
}

QString getProfileString(const QString& section, const QString& entry, const QString& defaultValue)
{
    return openProfile().value(key(section, entry), defaultValue).toString();
}

bool writeProfileInt(const QString& section, const QString& entry, int value)
{
    return writeValue(section, entry, value);
}

bool writeProfileString(const QString& section, const QString& entry, const QString& value)
{
    return writeValue(section, entry, value);
}

void deleteProfileSections(const QStringList& sections)
{
    QString fileName;
    {
        QSettings profile = openProfile();
        for (const QString& section : sections)
            profile.remove(section);
        profile.sync();
        if (!profile.allKeys().isEmpty())
            return;
        fileName = profile.fileName();
    }
    QFile::remove(fileName);
}

QString profileFileName()
{
    return openProfile().fileName();
}
