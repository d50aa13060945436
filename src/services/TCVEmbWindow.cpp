#include "TCVEmbWindow.h"

#include "shell/TCvApplication.h"

#include "platform/abi/Exception.h"

#include <QEvent>
#include <QPainter>
#include <QPointer>

using namespace corvelian;

namespace cv::services {

namespace {

QString messageOf(const std::exception& error)
{
    if (const auto* own = dynamic_cast<const Exception*>(&error))
        return own->message();
    return QString::fromUtf8(error.what());
}

} // namespace

TCVEmbWindow::TCVEmbWindow(QWidget* parent) : TCVEmbWindow(parent, QString(), QString())
{
    Embed();
}

TCVEmbWindow::TCVEmbWindow(QWidget* parent, const QString& caption, const QString& interfaceName)
    : QFrame(parent), m_interfaceName(interfaceName)
{
    setFrameShape(QFrame::NoFrame);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);
    SetCaption(caption);
}

TCVEmbWindow::~TCVEmbWindow()
{
    // The host's window belongs to the host object, not to this panel: it is
    // handed back rather than destroyed with the panel's children. No host
    // call here: while the form is being torn down, asking for the handle
    // could make the host create native windows on a dying parent chain.
    m_window = nullptr;
    if (m_hostWindow && m_hostWindow->parentWidget() == this) {
        m_hostWindow->hide();
        m_hostWindow->setParent(nullptr);
    }
}

void TCVEmbWindow::SetCaption(const QString& caption)
{
    m_caption = caption;
    setAccessibleName(caption);
    update();
}

void TCVEmbWindow::Embed()
{
    try {
        Request();
    } catch (const std::exception& error) {
        m_window = nullptr;
        SetCaption(messageOf(error));
    }
    // The host's window needs a native window of the panel to live in.
    if (m_window)
        setAttribute(Qt::WA_NativeWindow);
}

void TCVEmbWindow::Request()
{
    if (m_interfaceName.isEmpty())
        throw Exception(QStringLiteral("接口名称为空."));
    const ComPtr<ICVUnknown> object = shell::CvApp().GetInterface(m_interfaceName, 0);
    m_window = object.as<ICVEmbWindow>();
    if (object && !m_window)
        throw Exception(QStringLiteral("Interface not supported"), CV_E_NOINTERFACE);
    if (!m_window)
        throw Exception(QStringLiteral("ICVRichView 接口访问失败."));
    AttachInterface(m_window);
}

void TCVEmbWindow::AttachInterface(const ComPtr<ICVEmbWindow>&)
{
    throw Exception(QStringLiteral("接口名称为空."));
}

bool TCVEmbWindow::event(QEvent* event)
{
    const bool handled = QFrame::event(event);
    // A native window is created on first show and again when the panel
    // moves to another parent; the host's window follows each time. The
    // host re-parents its window once the panel's creation has finished:
    // doing it inside would re-enter the creation of the window tree.
    if (event->type() == QEvent::WinIdChange && HasWindow() && !m_adoptPending) {
        m_adoptPending = true;
        QMetaObject::invokeMethod(this, &TCVEmbWindow::AdoptHostWindow, Qt::QueuedConnection);
    }
    return handled;
}

void TCVEmbWindow::AdoptHostWindow()
{
    m_adoptPending = false;
    if (!HasWindow() || !internalWinId())
        return;
    m_window->SetParentHandle(CvHandle(internalWinId()));
    FitHostWindow();
    emit HostWindowAdopted();
}

void TCVEmbWindow::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    if (HasWindow())
        FitHostWindow();
}

void TCVEmbWindow::FitHostWindow()
{
    QWidget* hostWindow = HostWindow();
    m_hostWindow = hostWindow;
    if (!hostWindow)
        return;
    const QWidget* hostParent = hostWindow->parentWidget();
    QPoint topLeft;
    if (hostParent == this)
        topLeft = QPoint(0, 0);
    else if (hostParent)
        topLeft = hostParent->mapFromGlobal(mapToGlobal(QPoint(0, 0)));
    else
        topLeft = mapToGlobal(QPoint(0, 0));
    hostWindow->setGeometry(QRect(topLeft, size()));
}

QWidget* TCVEmbWindow::HostWindow() const
{
    return m_window ? QWidget::find(WId(m_window->GetHandle())) : nullptr;
}

void TCVEmbWindow::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_caption);
}

} // namespace cv::services
