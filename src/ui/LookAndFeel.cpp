#include "LookAndFeel.h"

#include <QCoreApplication>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>

namespace cv::ui {

namespace {

// Top and bottom colours of the five Office 2003 schemes: blue, olive,
// silver, teal and sand.
constexpr QRgb kSchemes[5][2] = {
    {0xE3EFFF, 0x87ADE4}, {0xF3F4E0, 0xB7C691}, {0xF3F3F7, 0xBBBAD0},
    {0xECF6F6, 0x96C8C8}, {0xFCF0E1, 0xE2B88C},
};

const char kRootName[] = "RootLookAndFeel";

} // namespace

LookAndFeel::LookAndFeel(LookAndFeel* master, QObject* parent) : QObject(parent), m_master(master)
{
    if (master)
        connect(master, &LookAndFeel::changed, this, &LookAndFeel::changed);
}

LookAndFeelKind LookAndFeel::kind() const
{
    return source().m_kind;
}
bool LookAndFeel::nativeStyle() const
{
    return source().m_nativeStyle;
}
int LookAndFeel::office2003Scheme() const
{
    return source().m_scheme;
}
bool LookAndFeel::useOffice2003Scheme() const
{
    return source().m_useScheme;
}

void LookAndFeel::setKind(LookAndFeelKind kind)
{
    if (m_kind == kind)
        return;
    m_kind = kind;
    emit changed();
}

void LookAndFeel::setNativeStyle(bool on)
{
    if (m_nativeStyle == on)
        return;
    m_nativeStyle = on;
    emit changed();
}

void LookAndFeel::setOffice2003Colors(int scheme, bool use)
{
    m_scheme = scheme;
    m_useScheme = use;
}

std::pair<QColor, QColor> LookAndFeel::gradientColors(const QColor& window) const
{
    const int scheme = office2003Scheme();
    if (useOffice2003Scheme() && scheme >= 0 && scheme < 5)
        return {QColor::fromRgb(kSchemes[scheme][0]), QColor::fromRgb(kSchemes[scheme][1])};
    return {window.lighter(106), window.darker(118)};
}

void LookAndFeel::drawSizeGrip(QPainter& painter, const QRect& rect, QWidget* widget) const
{
    if (kind() != LookAndFeelKind::Office2003) {
        QStyleOptionSizeGrip option;
        option.initFrom(widget);
        option.rect = rect;
        option.corner = Qt::BottomRightCorner;
        widget->style()->drawControl(QStyle::CE_SizeGrip, &option, &painter, widget);
        return;
    }
    // Office 2003 grips are a triangle of light-shadowed dots.
    const QColor dark = gradientColors(widget->palette().window().color()).second.darker(160);
    for (int row = 0; row < 3; ++row)
        for (int col = 2 - row; col < 3; ++col) {
            const QPoint dot(rect.right() - 3 - 4 * (2 - col), rect.bottom() - 3 - 4 * row);
            painter.fillRect(QRect(dot + QPoint(1, 1), QSize(2, 2)), Qt::white);
            painter.fillRect(QRect(dot, QSize(2, 2)), dark);
        }
}

LookAndFeel* RootLookAndFeel()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return nullptr;
    auto* root = app->findChild<LookAndFeel*>(QLatin1String(kRootName), Qt::FindDirectChildrenOnly);
    if (!root) {
        root = new LookAndFeel(nullptr, app);
        root->setObjectName(QLatin1String(kRootName));
    }
    return root;
}

void ReleaseRootLookAndFeel()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        delete app->findChild<LookAndFeel*>(QLatin1String(kRootName), Qt::FindDirectChildrenOnly);
}

} // namespace cv::ui
