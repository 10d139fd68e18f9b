#include "HostsDialog.h"

namespace hostsaddin {

namespace {

// Entries are single-byte text in the machine's code page, taken here as Latin-1.
QString toQt(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string fromQt(const QString& text) { return text.toLatin1().toStdString(); }

}  // namespace

HostsDialog::HostsDialog(const HostList& entries, QWidget* parent)
    : QDialog(parent), editor_(entries) {
    ui_.setupUi(this);
    ui_.grdEntries->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    ui_.grdEntries->setColumnWidth(HostsEditor::Address, 130);
    ui_.grdEntries->setColumnWidth(HostsEditor::Names, 220);
    showRows();
    connect(ui_.grdEntries, &QTableWidget::cellChanged, this, &HostsDialog::cellEdited);
    connect(ui_.cmdAdd, &QPushButton::clicked, this, &HostsDialog::addRow);
    connect(ui_.cmdRemove, &QPushButton::clicked, this, &HostsDialog::removeRow);
    connect(ui_.cmdOK, &QPushButton::clicked, this, &HostsDialog::tryAccept);
    connect(ui_.cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void HostsDialog::showRows() {
    const QSignalBlocker quiet(ui_.grdEntries);
    const auto& rows = editor_.rows();
    ui_.grdEntries->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < HostsEditor::kColumnCount; ++column) {
            ui_.grdEntries->setItem(static_cast<int>(row), static_cast<int>(column),
                                    new QTableWidgetItem(toQt(rows[row].cells[column])));
        }
    }
    ui_.cmdRemove->setEnabled(!rows.empty());
}

void HostsDialog::cellEdited(int row, int column) {
    const QTableWidgetItem* item = ui_.grdEntries->item(row, column);
    editor_.setCell(static_cast<std::size_t>(row), static_cast<HostsEditor::Column>(column),
                    item ? fromQt(item->text()) : std::string());
    ui_.lblProblem->clear();
}

void HostsDialog::addRow() {
    const int row = static_cast<int>(editor_.addRow());
    showRows();
    ui_.grdEntries->setCurrentCell(row, HostsEditor::Address);
    ui_.grdEntries->editItem(ui_.grdEntries->item(row, HostsEditor::Address));
}

void HostsDialog::removeRow() {
    const int row = ui_.grdEntries->currentRow();
    if (row < 0) return;
    editor_.removeRow(static_cast<std::size_t>(row));
    showRows();
    ui_.lblProblem->clear();
}

void HostsDialog::tryAccept() {
    const HostsEditor::Verdict verdict = editor_.finish();
    if (!verdict.problem.empty()) {
        ui_.lblProblem->setText(toQt(verdict.problem));
        ui_.grdEntries->setCurrentCell(static_cast<int>(verdict.problemRow), HostsEditor::Address);
        return;
    }
    accepted_ = verdict.entries;
    accept();
}

}  // namespace hostsaddin
