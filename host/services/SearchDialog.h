// The common search window: a search box over a grid of the search's rows.
// Typing re-runs the search; Enter (in the box or the grid) or a double click
// picks the current row; Escape cancels. Up and Down in the box move through
// the grid so that the keyboard never has to leave the box.
#pragma once

#include "SearchDefinition.h"

#include "host/HostState.h"

#include <QDialog>
#include <QStandardItemModel>

#include <functional>

class QLabel;
class QLineEdit;
class QTableView;

namespace cv::host {

class SearchDialog : public QDialog {
    Q_OBJECT
public:
    // Runs the search's statement for a search text; throws cv::Exception.
    using Runner = std::function<QueryResult(const QString& searchText)>;

    SearchDialog(SearchDefinition definition, Runner runner, QWidget* parent = nullptr);

    // Sets the box's text and searches.
    void setSearchText(const QString& text);
    QString searchText() const;

    int rowCount() const { return int(m_result.rows.size()); }
    int currentRow() const;
    void setCurrentRow(int row);
    // The result's column names and the values of the current row (empty when
    // there is none).
    const QStringList& columns() const { return m_result.columns; }
    std::vector<QVariant> currentValues() const;
    // The message of the last failed search; empty after a search that ran.
    const QString& errorText() const { return m_errorText; }

    QLineEdit* searchEdit() const { return m_edit; }
    QTableView* grid() const { return m_grid; }

public slots:
    // Accepts when there is a current row.
    void pick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void refresh();
    void fillModel();
    void showStatus();

    SearchDefinition m_definition;
    Runner m_runner;
    QueryResult m_result;
    QString m_errorText;
    QStandardItemModel m_model;
    QLineEdit* m_edit = nullptr;
    QTableView* m_grid = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace cv::host
