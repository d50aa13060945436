// One column of a DataGrid with the settings of a grid table view column:
// caption, field, width, visibility, the editing switch, header alignment,
// cell merging and the kind of in-place editor. Its objectName is the
// component name the form gives it, so that code and tests can find it.
#pragma once

#include "LookupSource.h"
#include "MemTableModel.h"

#include <QObject>

#include <vector>

namespace cv::widgets {

class ImageList;

struct ImageComboItem {
    QVariant value;
    QString description;
    int imageIndex = -1;
};

class GridColumn : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QString fieldName READ fieldName WRITE setFieldName)
    Q_PROPERTY(int width READ width WRITE setWidth)
    Q_PROPERTY(bool visible READ isVisible WRITE setVisible)
    Q_PROPERTY(bool editing READ editing WRITE setEditing)
public:
    enum class Editor { Text, ButtonEdit, CheckBox, ImageCombo, LookupCombo, Date, DateTime };

    GridColumn(const QString& name, int index, QObject* parent);

    int index() const { return m_index; }
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QString fieldName() const { return m_field; }
    void setFieldName(const QString& field);
    int width() const { return m_width; } // -1: the view's default
    void setWidth(int width);
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);
    bool editing() const { return m_editing; }
    void setEditing(bool on);
    Qt::Alignment headerAlignment() const { return m_headerAlignment; }
    void setHeaderAlignment(Qt::Alignment alignment);
    // Equal neighbouring values drawn as one cell.
    bool cellMerging() const { return m_merging; }
    void setCellMerging(bool on);
    // Post the row as soon as an edit of this column is stored.
    bool immediatePost() const { return m_immediatePost; }
    void setImmediatePost(bool on) { m_immediatePost = on; }

    Editor editor() const { return m_editor; }
    void setTextEditor();
    void setButtonEditor();
    // A null value shows unchecked; the column posts at once unless told otherwise.
    void setCheckBox(const QVariant& checked, const QVariant& unchecked);
    // `images` (may be null) must outlive the column.
    void setImageCombo(std::vector<ImageComboItem> items, const ImageList* images = nullptr);
    void setLookup(const LookupSource& source);
    void setDateEditor();
    void setDateTimeEditor();

    const CheckValues& checkValues() const { return m_check; }
    const std::vector<ImageComboItem>& imageComboItems() const { return m_items; }
    const ImageList* images() const { return m_images; }
    const LookupSource& lookup() const { return m_lookup; }

    // What the grid's model needs to know of this column.
    ModelColumn modelColumn() const;

signals:
    void settingsChanged();
    void editorChanged();

private:
    void changeEditor(Editor editor);
    QString displayText(const QVariant& value) const;
    QIcon decoration(const QVariant& value) const;
    const ImageComboItem* itemFor(const QVariant& value) const;

    int m_index;
    QString m_caption;
    QString m_field;
    int m_width = -1;
    bool m_visible = true;
    bool m_editing = true;
    Qt::Alignment m_headerAlignment = Qt::AlignCenter;
    bool m_merging = false;
    bool m_immediatePost = false;
    Editor m_editor = Editor::Text;
    CheckValues m_check;
    std::vector<ImageComboItem> m_items;
    const ImageList* m_images = nullptr;
    LookupSource m_lookup;
};

} // namespace cv::widgets
