// The child form that lives inside the host's main window: the three
// command forms derive from it.
#pragma once

#include "TCvForm.h"

namespace cv::ui {

class TCForm : public TCvForm {
    Q_OBJECT
public:
    explicit TCForm(QWidget* parent = nullptr);

protected:
    void FirstShow() override;
    void done(int result) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

    // The window-system commands the host and the package send.
    void SystemCommand(int command);

private:
    void EmbedInHost();
    bool HostPlacesForms() const;
    void NotifyHost(int kind);
};

} // namespace cv::ui
