// What the form package asks of the data module, done on CoreDM. Every call
// does nothing while there is no data module.
#pragma once

#include "shell/PackageServices.h"

namespace cv::data {

class CorePackageServices : public shell::PackageServices {
public:
    void UseHostConnection(corvelian::ICVUnknown* connectionObject) override;
    void ConfigureConnection(const QString& connectionString, int timeoutSeconds) override;
    void ApplyDateTimeFormats() override;
    void ApplyEditorFont(const shell::EditorFont& font) override;
    void SetEditButtonStyle(int lookAndFeel) override;
    void Reconnect() override;
    void DetachConnection() override;
};

} // namespace cv::data
