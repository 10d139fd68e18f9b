#pragma once
// The editing dialog: shows a HostsEditor's rows in the table of HostsDialog.ui and
// hands every edit to it; the editor decides what OK accepts.

#include <QDialog>

#include "addins/hosts/HostsEditor.h"
#include "ui_HostsDialog.h"

namespace hostsaddin {

class HostsDialog : public QDialog {
  public:
    HostsDialog(const HostList& entries, QWidget* parent);

    // The accepted entries, after exec() returned Accepted.
    const HostList& entries() const { return accepted_; }

  private:
    void showRows();
    void cellEdited(int row, int column);
    void addRow();
    void removeRow();
    void tryAccept();

    Ui::frmHosts ui_;
    HostsEditor editor_;
    HostList accepted_;
};

}  // namespace hostsaddin
