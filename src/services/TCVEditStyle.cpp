#include "TCVEditStyle.h"

#include <QVariant>

namespace cv::services {

void TCVEditStyle::SetBorderStyle(data::EditBorderStyle style)
{
    m_borderStyle = style;
    emit changed();
}

void TCVEditStyle::SetBorderColor(const QColor& color)
{
    m_borderColor = color;
    emit changed();
}

void TCVEditStyle::SetButtonStyle(data::EditButtonStyle style)
{
    m_buttonStyle = style;
    emit changed();
}

void TCVEditStyle::SetLookAndFeelKind(ui::LookAndFeelKind kind)
{
    m_kind = kind;
    emit changed();
}

void TCVEditStyle::RestoreDefaults()
{
    m_borderStyle.reset();
    m_borderColor.reset();
    m_buttonStyle.reset();
    emit changed();
}

TCVEditStyle* TCVEditStyle::Of(const QObject* object)
{
    if (!object)
        return nullptr;
    return qobject_cast<TCVEditStyle*>(object->property("Style").value<QObject*>());
}

} // namespace cv::services
