#include "DataGrid.h"

#include "ButtonEditDelegate.h"
#include "CheckBoxDelegate.h"
#include "DateEditDelegate.h"
#include "HeaderGlyph.h"
#include "ImageComboDelegate.h"
#include "LookupComboDelegate.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QScopedValueRollback>
#include <QScrollBar>

namespace cv::widgets {

DataGrid::DataGrid(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(DoubleClicked | SelectedClicked | EditKeyPressed | AnyKeyPressed);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->viewport()->installEventFilter(this);
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& i) { emit cellDoubleClicked(i.row(), i.column()); });
    QHeaderView* header = horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, &DataGrid::placeGlyphs);
    connect(header, &QHeaderView::sectionMoved, this, &DataGrid::placeGlyphs);
    connect(header, &QHeaderView::geometriesChanged, this, &DataGrid::placeGlyphs);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &DataGrid::placeGlyphs);
}

DataGrid::~DataGrid()
{
    // The model's column formatters refer to the columns; let it go first.
    setModel(nullptr);
    delete m_model;
    // QWidget's destructor still moves the header and scroll bar about.
    disconnect(horizontalHeader(), nullptr, this, nullptr);
    disconnect(horizontalScrollBar(), nullptr, this, nullptr);
}

// ---------------------------------------------------------------- binding and columns

void DataGrid::setTable(MemTable& table)
{
    MemTableModel* old = m_model;
    m_model = new MemTableModel(table, this);
    m_model->setColumns(specs());
    setModel(m_model);
    delete old;
    connectModel();
    for (const GridColumn* c : m_columns)
        applyLayout(*c);
    updateSpans();
    followCursor(m_model->currentRow());
}

void DataGrid::connectModel()
{
    connect(m_model, &MemTableModel::currentRowChanged, this, &DataGrid::followCursor);
    connect(m_model, &MemTableModel::cellEdited, this, &DataGrid::cellEdited);
    connect(m_model, &MemTableModel::editError, this, &DataGrid::dataError);
    // After the view's own handlers, so that spans are set on the new rows.
    connect(m_model, &QAbstractItemModel::modelReset, this, &DataGrid::updateSpans);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &DataGrid::updateSpans);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &DataGrid::updateSpans);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &DataGrid::updateSpans);
}

GridColumn* DataGrid::addColumn(const QString& name, const QString& caption, const QString& field)
{
    auto* c = new GridColumn(name, columnCount(), this);
    c->setCaption(caption);
    c->setFieldName(field);
    m_columns.push_back(c);
    connect(c, &GridColumn::settingsChanged, this, [this, c] { applyColumn(*c); });
    connect(c, &GridColumn::editorChanged, this, [this, c] {
        installDelegate(*c);
        applyColumn(*c);
    });
    installDelegate(*c);
    if (m_model) {
        m_model->setColumns(specs());
        for (const GridColumn* each : m_columns)
            applyLayout(*each);
    }
    return c;
}

GridColumn* DataGrid::column(int index) const
{
    return index >= 0 && index < columnCount() ? m_columns[std::size_t(index)] : nullptr;
}

GridColumn* DataGrid::column(const QString& name) const
{
    for (GridColumn* c : m_columns) {
        if (c->objectName() == name)
            return c;
    }
    return nullptr;
}

GridColumn* DataGrid::columnByCaption(const QString& caption) const
{
    for (GridColumn* c : m_columns) {
        if (c->caption() == caption)
            return c;
    }
    return nullptr;
}

ModelColumn DataGrid::specOf(const GridColumn& column) const
{
    ModelColumn definition = column.modelColumn();
    if (const HeaderGlyph* glyph = m_glyphs.value(column.index())) {
        // A blank picture keeps the caption clear of the glyph laid over it.
        QPixmap room(glyph->sizeHint());
        room.fill(Qt::transparent);
        definition.headerIcon = QIcon(room);
    }
    return definition;
}

std::vector<ModelColumn> DataGrid::specs() const
{
    std::vector<ModelColumn> out;
    for (const GridColumn* c : m_columns)
        out.push_back(specOf(*c));
    return out;
}

void DataGrid::applyColumn(GridColumn& column)
{
    if (!m_model)
        return;
    m_model->setColumn(column.index(), specOf(column));
    applyLayout(column);
    updateSpans();
}

void DataGrid::applyLayout(const GridColumn& column)
{
    setColumnHidden(column.index(), !column.isVisible());
    if (column.width() > 0)
        setColumnWidth(column.index(), column.width());
    placeGlyphs();
}

void DataGrid::installDelegate(GridColumn& column)
{
    GridDelegate* delegate = nullptr;
    switch (column.editor()) {
    case GridColumn::Editor::Text:
        delegate = new GridDelegate(*this, column);
        break;
    case GridColumn::Editor::ButtonEdit:
        delegate = new ButtonEditDelegate(*this, column);
        break;
    case GridColumn::Editor::CheckBox:
        delegate = new CheckBoxDelegate(*this, column);
        break;
    case GridColumn::Editor::ImageCombo:
        delegate = new ImageComboDelegate(*this, column);
        break;
    case GridColumn::Editor::LookupCombo:
        delegate = new LookupComboDelegate(*this, column);
        break;
    case GridColumn::Editor::Date:
    case GridColumn::Editor::DateTime:
        delegate =
            new DateEditDelegate(*this, column, column.editor() == GridColumn::Editor::DateTime);
        break;
    }
    QAbstractItemDelegate* old = itemDelegateForColumn(column.index());
    setItemDelegateForColumn(column.index(), delegate);
    if (old)
        old->deleteLater(); // it may be on the stack of an editor event
}

void DataGrid::setStyles(const GridStyles& styles)
{
    m_styles = styles;
    viewport()->update();
}

// ---------------------------------------------------------------- cursor

void DataGrid::followCursor(int row)
{
    if (m_pushing)
        return;
    QScopedValueRollback pulling(m_pulling, true);
    showRow(row);
}

void DataGrid::showRow(int row)
{
    if (!m_model || row < 0 || row >= m_model->rowCount()) {
        setCurrentIndex({});
        return;
    }
    const int col = currentIndex().isValid() ? currentIndex().column() : firstVisibleColumn();
    const QModelIndex target = m_model->index(row, std::max(col, 0));
    if (target != currentIndex())
        setCurrentIndex(target);
}

int DataGrid::firstVisibleColumn() const
{
    for (int i = 0; i < columnCount(); ++i) {
        if (!isColumnHidden(i))
            return i;
    }
    return -1;
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous); // commits an open editor first
    if (current.row() == previous.row())
        return;
    if (!m_pulling && m_model && current.isValid()) {
        {
            QScopedValueRollback pushing(m_pushing, true);
            m_model->setCurrentRow(current.row());
        }
        // The table may have stayed (a refused post) or its rows shifted.
        if (m_model->currentRow() != currentIndex().row()) {
            followCursor(m_model->currentRow());
            return;
        }
    }
    emit focusedRecordChanged(currentIndex().row());
}

// ---------------------------------------------------------------- editing

void DataGrid::cellEdited(const QModelIndex& index, const QVariant& value)
{
    emit editValueChanged(index.column(), value);
    const GridColumn* c = column(index.column());
    if (c && c->immediatePost())
        m_model->post();
}

void DataGrid::clickEditorButton(int column)
{
    if (m_model)
        m_model->beginEdit(currentIndex().row());
    emit buttonClicked(column);
}

QString DataGrid::editorText() const
{
    if (m_editor && !m_editor->isHidden()) {
        if (auto* edit = qobject_cast<QLineEdit*>(m_editor))
            return edit->text();
        if (auto* combo = qobject_cast<QComboBox*>(m_editor))
            return combo->currentText();
        if (auto* date = qobject_cast<QDateTimeEdit*>(m_editor))
            return date->text();
    }
    return currentIndex().data(Qt::DisplayRole).toString();
}

bool DataGrid::post()
{
    if (m_editor && !m_editor->isHidden())
        commitData(m_editor);
    return m_model && m_model->post();
}

// ---------------------------------------------------------------- input

bool DataGrid::appendByKey(const QKeyEvent* event)
{
    if (!m_model || !m_appendAllowed || state() == EditingState)
        return false;
    const bool pending = m_model->provisionalRow() >= 0 && !m_model->table().modified();
    const bool down =
        event->key() == Qt::Key_Down && currentIndex().row() == m_model->rowCount() - 1;
    const bool insert = event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier;
    if (!down && !insert)
        return false;
    if (!pending) // an untouched new row is not followed by another one
        down ? m_model->appendRecord() : m_model->insertRecord();
    return true;
}

void DataGrid::keyPressEvent(QKeyEvent* event)
{
    emit keyPressed(event->key(), event->modifiers());
    if (!appendByKey(event))
        QTableView::keyPressEvent(event);
}

void DataGrid::mousePressEvent(QMouseEvent* event)
{
    m_pressed = indexAt(event->position().toPoint());
    QTableView::mousePressEvent(event);
}

void DataGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool same = index.isValid() && index == m_pressed;
    QTableView::mouseReleaseEvent(event);
    if (same)
        emit cellClicked(index.row(), index.column(), event->button());
}

bool DataGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        const int section = horizontalHeader()->logicalIndexAt(pos);
        if (section >= 0)
            emit columnHeaderClicked(section, pos);
    }
    return QTableView::eventFilter(watched, event);
}

// ---------------------------------------------------------------- header glyph

void DataGrid::setHeaderGlyph(int column, const QIcon& icon, bool checked)
{
    HeaderGlyph* glyph = m_glyphs.value(column);
    if (!glyph) {
        glyph = new HeaderGlyph(horizontalHeader()->viewport());
        glyph->setObjectName(QStringLiteral("headerGlyph%1").arg(column));
        m_glyphs.insert(column, glyph);
        connect(glyph, &QAbstractButton::clicked, this, [this, glyph, column] {
            emit columnHeaderClicked(column, glyph->geometry().center());
        });
        if (GridColumn* c = this->column(column))
            applyColumn(*c);
    }
    if (const GridColumn* c = this->column(column))
        glyph->setAccessibleName(c->caption());
    glyph->setIcon(icon);
    glyph->setChecked(checked);
    placeGlyphs();
}

QRect DataGrid::headerGlyphRect(int column) const
{
    const HeaderGlyph* glyph = m_glyphs.value(column);
    return glyph && !glyph->isHidden() ? glyph->geometry() : QRect();
}

bool DataGrid::hitHeaderGlyph(int column, const QPoint& pos) const
{
    return headerGlyphRect(column).contains(pos);
}

void DataGrid::placeGlyphs()
{
    const QHeaderView* header = horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (auto it = m_glyphs.cbegin(); it != m_glyphs.cend(); ++it) {
        HeaderGlyph* glyph = it.value();
        const int x = header->sectionViewportPosition(it.key());
        if (x < 0 && header->isSectionHidden(it.key())) {
            glyph->hide();
            continue;
        }
        const QSize size = glyph->sizeHint();
        glyph->setGeometry(x + margin, (header->height() - size.height()) / 2, size.width(),
                           size.height());
        glyph->show();
    }
}

void DataGrid::updateGeometries()
{
    QTableView::updateGeometries();
    placeGlyphs();
}

// ---------------------------------------------------------------- merged cells

void DataGrid::updateSpans()
{
    if (!m_model)
        return;
    clearSpans();
    const int rows = m_model->rowCount();
    for (const GridColumn* c : m_columns) {
        if (!c->cellMerging())
            continue;
        const int col = c->index();
        for (int start = 0; start < rows;) {
            const QString text = m_model->index(start, col).data().toString();
            int end = start + 1;
            while (end < rows && m_model->index(end, col).data().toString() == text)
                ++end;
            if (end - start > 1)
                setSpan(start, col, end - start, 1);
            start = end;
        }
    }
}

} // namespace cv::widgets
