#include "SearchDialog.h"

#include "platform/abi/Exception.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace cv::host {

namespace {

QString cellText(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'f', 2);
    return value.toString();
}

int columnOf(const QStringList& columns, const QString& field)
{
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (columns.at(i).compare(field, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

} // namespace

SearchDialog::SearchDialog(SearchDefinition definition, Runner runner, QWidget* parent)
    : QDialog(parent), m_definition(std::move(definition)), m_runner(std::move(runner))
{
    setObjectName(QStringLiteral("SearchDialog"));
    setWindowTitle(QStringLiteral("检索 - %1").arg(m_definition.name));
    resize(640, 420);
    buildLayout();
}

void SearchDialog::buildLayout()
{
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("searchEdit"));
    m_edit->setPlaceholderText(QStringLiteral("输入编码、名称或拼音首字母"));
    m_edit->installEventFilter(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("resultGrid"));
    m_grid->setModel(&m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    // Enter belongs to the box and the grid, not to a default button.
    for (QAbstractButton* b : buttons->buttons())
        static_cast<QPushButton*>(b)->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
    connect(m_edit, &QLineEdit::textChanged, this, [this] { refresh(); });
    connect(m_edit, &QLineEdit::returnPressed, this, &SearchDialog::pick);
    connect(m_grid, &QAbstractItemView::activated, this, &SearchDialog::pick);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, &SearchDialog::pick);
    connect(buttons, &QDialogButtonBox::accepted, this, &SearchDialog::pick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void SearchDialog::setSearchText(const QString& text)
{
    {
        const QSignalBlocker blocker(m_edit);
        m_edit->setText(text);
    }
    refresh();
}

QString SearchDialog::searchText() const
{
    return m_edit->text();
}

// A failing search keeps the window open with the database's message, so the
// user can correct the text.
void SearchDialog::refresh()
{
    m_errorText.clear();
    try {
        m_result = m_runner(m_edit->text());
    } catch (const Exception& e) {
        m_result = {};
        m_errorText = e.message();
    }
    fillModel();
    showStatus();
}

void SearchDialog::fillModel()
{
    m_model.clear();
    m_model.setColumnCount(int(m_result.columns.size()));
    for (int c = 0; c < m_result.columns.size(); ++c)
        m_model.setHeaderData(c, Qt::Horizontal, m_result.columns.at(c));
    for (const auto& row : m_result.rows) {
        QList<QStandardItem*> items;
        for (const QVariant& value : row)
            items.append(new QStandardItem(cellText(value)));
        m_model.appendRow(items);
    }
    // Only the search's own columns are shown, with its captions; a search
    // without column captions shows every column.
    if (!m_definition.columns.empty()) {
        for (int c = 0; c < m_result.columns.size(); ++c)
            m_grid->setColumnHidden(c, true);
        for (const SearchColumn& column : m_definition.columns) {
            const int c = columnOf(m_result.columns, column.field);
            if (c < 0)
                continue;
            m_grid->setColumnHidden(c, false);
            m_model.setHeaderData(c, Qt::Horizontal, column.caption);
        }
    }
    m_grid->resizeColumnsToContents();
    if (rowCount() > 0)
        setCurrentRow(0);
}

void SearchDialog::showStatus()
{
    m_status->setText(m_errorText.isEmpty() ? QStringLiteral("共 %1 条").arg(rowCount())
                                            : m_errorText);
}

int SearchDialog::currentRow() const
{
    const QModelIndex index = m_grid->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void SearchDialog::setCurrentRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    m_grid->setCurrentIndex(m_model.index(row, 0));
    m_grid->selectRow(row);
}

std::vector<QVariant> SearchDialog::currentValues() const
{
    const int row = currentRow();
    if (row < 0 || row >= rowCount())
        return {};
    return m_result.rows[std::size_t(row)];
}

void SearchDialog::pick()
{
    if (currentRow() >= 0)
        accept();
}

bool SearchDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            setCurrentRow(std::max(0, currentRow() + (key == Qt::Key_Down ? 1 : -1)));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace cv::host
