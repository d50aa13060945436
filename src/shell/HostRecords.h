// The host's information records as values the module works with. The facade
// reads them from the packed ABI records and frees the host's strings.
#pragma once

#include <corvelian/Types.h>

#include <QString>

namespace cv::shell {

struct SystemInfo {
    QString title;
    corvelian::CvHandle applicationHandle = 0;
    corvelian::CvHandle iconHandle = 0;
    corvelian::CvHandle mainWindow = 0;
    corvelian::CvHandle clientWindow = 0;
};

struct ConfigInfo {
    bool showFormBorder = false;
    bool useColorScheme = false;
    QString imeName;
    int formMode = 0;
    int lookAndFeel = 0;
    int colorScheme = 0;
};

struct UserInfo {
    int userId = 0;
    QString userName;
};

struct PathInfo {
    QString tempPath; // ends with a path separator
};

struct FontInfo {
    QString fontName;
    bool useHostFont = false;
    int size = 0;
    int styleCode = 0; // 1 italic, 2 bold, 3 bold and italic, else regular
};

} // namespace cv::shell
