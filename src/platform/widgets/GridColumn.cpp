#include "GridColumn.h"

#include "ImageList.h"

namespace cv::widgets {

GridColumn::GridColumn(const QString& name, int index, QObject* parent)
    : QObject(parent), m_index(index)
{
    setObjectName(name);
}

void GridColumn::setCaption(const QString& caption)
{
    m_caption = caption;
    emit settingsChanged();
}

void GridColumn::setFieldName(const QString& field)
{
    m_field = field;
    emit settingsChanged();
}

void GridColumn::setWidth(int width)
{
    m_width = width;
    emit settingsChanged();
}

void GridColumn::setVisible(bool visible)
{
    m_visible = visible;
    emit settingsChanged();
}

void GridColumn::setEditing(bool on)
{
    if (on == m_editing)
        return;
    m_editing = on;
    emit settingsChanged();
}

void GridColumn::setHeaderAlignment(Qt::Alignment alignment)
{
    m_headerAlignment = alignment;
    emit settingsChanged();
}

void GridColumn::setCellMerging(bool on)
{
    m_merging = on;
    emit settingsChanged();
}

void GridColumn::changeEditor(Editor editor)
{
    m_editor = editor;
    emit editorChanged();
}

void GridColumn::setTextEditor()
{
    changeEditor(Editor::Text);
}

void GridColumn::setButtonEditor()
{
    changeEditor(Editor::ButtonEdit);
}

void GridColumn::setCheckBox(const QVariant& checked, const QVariant& unchecked)
{
    m_check = {checked, unchecked};
    m_immediatePost = true;
    changeEditor(Editor::CheckBox);
}

void GridColumn::setImageCombo(std::vector<ImageComboItem> items, const ImageList* images)
{
    m_items = std::move(items);
    m_images = images;
    changeEditor(Editor::ImageCombo);
}

void GridColumn::setLookup(const LookupSource& source)
{
    m_lookup = source;
    changeEditor(Editor::LookupCombo);
}

void GridColumn::setDateEditor()
{
    changeEditor(Editor::Date);
}

void GridColumn::setDateTimeEditor()
{
    changeEditor(Editor::DateTime);
}

const ImageComboItem* GridColumn::itemFor(const QVariant& value) const
{
    if (value.isNull())
        return nullptr;
    const QString wanted = MemTableModel::formatValue(value);
    for (const ImageComboItem& item : m_items) {
        if (MemTableModel::formatValue(item.value) == wanted)
            return &item;
    }
    return nullptr;
}

QString GridColumn::displayText(const QVariant& value) const
{
    switch (m_editor) {
    case Editor::ImageCombo: {
        const ImageComboItem* item = itemFor(value);
        return item ? item->description : QString();
    }
    case Editor::LookupCombo:
        return MemTableModel::formatValue(m_lookup.shownValueOf(value));
    case Editor::Date:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case Editor::DateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    default:
        return MemTableModel::formatValue(value);
    }
}

QIcon GridColumn::decoration(const QVariant& value) const
{
    const ImageComboItem* item = itemFor(value);
    return item && m_images ? m_images->icon(item->imageIndex) : QIcon();
}

ModelColumn GridColumn::modelColumn() const
{
    ModelColumn definition;
    definition.field = m_field;
    definition.caption = m_caption;
    definition.editable = m_editing;
    definition.headerAlignment = m_headerAlignment;
    if (m_editor == Editor::CheckBox)
        definition.check = m_check;
    if (m_editor != Editor::Text && m_editor != Editor::ButtonEdit && m_editor != Editor::CheckBox)
        definition.displayText = [this](const QVariant& v) { return displayText(v); };
    if (m_editor == Editor::ImageCombo && m_images)
        definition.decoration = [this](const QVariant& v) { return decoration(v); };
    return definition;
}

} // namespace cv::widgets
