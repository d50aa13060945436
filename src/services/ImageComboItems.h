// The item list of an image combo box, whether a toolbar's BarImageCombo or a
// grid column's image combo editor, as the print package fills report-format
// choosers: one update that starts empty and takes items of description and
// integer value.
#pragma once

#include "platform/widgets/GridColumn.h"

#include <QString>

#include <vector>

namespace cv::widgets {
class BarImageCombo;
}

namespace cv::services {

class ImageComboItems {
public:
    // Null stands for properties that are not those of an image combo box.
    ImageComboItems(widgets::BarImageCombo* combo) : m_combo(combo) {}
    // A column is an image combo while its editor is one.
    ImageComboItems(widgets::GridColumn* column) : m_column(column) {}

    bool IsImageCombo() const;

    // Empties the list; the items added until EndUpdate show together.
    void BeginUpdate();
    void Add(const QString& description, int value);
    void EndUpdate();

private:
    widgets::BarImageCombo* m_combo = nullptr;
    widgets::GridColumn* m_column = nullptr;
    std::vector<widgets::ImageComboItem> m_pending;
};

} // namespace cv::services
