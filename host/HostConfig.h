// Everything the reference host answers about itself, settable per run and
// per test: identity, records, settings, scripts, user values and texts.
#pragma once

#include <corvelian/Types.h>

#include <QMap>
#include <QString>

namespace cv::host {

// Keys compared without regard to case, as the host's settings are.
class CaseInsensitiveMap {
public:
    void insert(const QString& key, const QString& value) { m_map.insert(key.toLower(), value); }
    void remove(const QString& key) { m_map.remove(key.toLower()); }
    bool contains(const QString& key) const { return m_map.contains(key.toLower()); }
    QString value(const QString& key) const { return m_map.value(key.toLower()); }

private:
    QMap<QString, QString> m_map;
};

struct HostConfig {
    QString name = QStringLiteral("Corvelian");
    double version = 8.0;
    bool provideLibrary = true;
    double libraryVersion = 3.0;

    // System information
    QString title = QStringLiteral("Corvelian 医院信息系统");
    corvelian::CvHandle applicationHandle = 0;
    corvelian::CvHandle iconHandle = 0;
    corvelian::CvHandle mainWindow = 0;
    corvelian::CvHandle clientWindow = 0;

    // Configuration
    bool showFormBorder = false;
    bool useColorScheme = true;
    QString imeName;
    int formMode = 1;
    int lookAndFeel = 1;
    int colorScheme = 0;

    // User and paths
    int userId = 0;
    QString userName;
    QString tempPath = QStringLiteral("/tmp/");

    // Font
    QString fontName = QStringLiteral("WenQuanYi Micro Hei");
    bool useHostFont = false;
    int fontSize = 9;
    int fontStyle = 0;

    // Connection
    int connectionMode = 0;
    QString connectionString;
    bool privilegeTrace = false;

    QMap<int, QString> scripts;
    CaseInsensitiveMap settings;
    CaseInsensitiveMap userValues;
    CaseInsensitiveMap resourceTexts;
};

} // namespace cv::host
