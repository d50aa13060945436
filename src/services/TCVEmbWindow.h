// A panel that shows a window of the host inside a module form: the host
// object is requested by interface name, its window becomes a child of the
// panel and follows the panel's size. Construction never fails; a failure
// becomes the panel's caption and the panel stays empty.
#pragma once

#include "platform/abi/ComPtr.h"

#include <corvelian/Interfaces.h>

#include <QFrame>
#include <QPointer>
#include <QString>

namespace cv::services {

class TCVEmbWindow : public QFrame {
    Q_OBJECT
public:
    // A panel of no concrete kind: it has no interface name to ask for.
    explicit TCVEmbWindow(QWidget* parent = nullptr);
    ~TCVEmbWindow() override;

    bool HasWindow() const { return bool(m_window); }
    const QString& Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    const QString& InterfaceName() const { return m_interfaceName; }
    corvelian::ICVEmbWindow* Window() const { return m_window.get(); }

signals:
    // The host's window was made a child of the panel's native window.
    void HostWindowAdopted();

protected:
    // For concrete kinds, which call Embed at the end of their constructor.
    TCVEmbWindow(QWidget* parent, const QString& caption, const QString& interfaceName);

    // Requests the host object and attaches it; an error becomes the caption.
    void Embed();
    // Takes the concrete kind's own interface from the host object; raises
    // when it is not there.
    virtual void AttachInterface(const ComPtr<corvelian::ICVEmbWindow>& window);

    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Request();
    void AdoptHostWindow();
    void FitHostWindow();
    QWidget* HostWindow() const;

    QString m_caption;
    QString m_interfaceName;
    ComPtr<corvelian::ICVEmbWindow> m_window;
    bool m_adoptPending = false;
    // The host's window as last placed, for handing it back at destruction.
    QPointer<QWidget> m_hostWindow;
};

} // namespace cv::services
