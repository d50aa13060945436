#include "ImageComboItems.h"

#include "platform/widgets/BarImageCombo.h"
#include "platform/widgets/GridColumn.h"

namespace cv::services {

bool ImageComboItems::IsImageCombo() const
{
    return m_combo || (m_column && m_column->editor() == widgets::GridColumn::Editor::ImageCombo);
}

void ImageComboItems::BeginUpdate()
{
    m_pending.clear();
    if (m_combo) {
        m_combo->setUpdatesEnabled(false);
        m_combo->clearItems();
    }
}

void ImageComboItems::Add(const QString& description, int value)
{
    if (m_combo)
        m_combo->addImageItem(description, value);
    else
        m_pending.push_back({value, description, -1});
}

void ImageComboItems::EndUpdate()
{
    if (m_combo)
        m_combo->setUpdatesEnabled(true);
    // A column takes its whole item list at once.
    if (m_column)
        m_column->setImageCombo(std::exchange(m_pending, {}), m_column->images());
}

} // namespace cv::services
