// What the form package asks of the data module and the shared appearance.
// The library wires it to CoreDM; tests can record the calls.
#pragma once

#include <QFont>
#include <QString>

namespace corvelian {
struct ICVUnknown;
}

namespace cv::shell {

struct EditorFont {
    bool useHostFont = false;
    QString name;
    int size = 0;
    int styleCode = 0;
    QFont systemFont;
};

class PackageServices {
public:
    virtual ~PackageServices() = default;

    // Connection mode 1: the host shares its connection; the module's own
    // execution handlers are removed (the host logs its statements).
    virtual void UseHostConnection(corvelian::ICVUnknown* connectionObject) = 0;
    // Otherwise: the connection string and the command time-out in seconds,
    // also given to the module's standing queries.
    virtual void ConfigureConnection(const QString& connectionString, int timeoutSeconds) = 0;
    virtual void ApplyDateTimeFormats() = 0;
    virtual void ApplyEditorFont(const EditorFont& font) = 0;
    virtual void SetEditButtonStyle(int lookAndFeel) = 0;
    // Disconnects and connects again; a failure to connect is ignored.
    virtual void Reconnect() = 0;
    virtual void DetachConnection() = 0;
};

} // namespace cv::shell
