// The dialog library's one entry, called by hosts.so when the dialog is asked for.

#include <QApplication>
#include <QThread>

#include "HostsDialog.h"
#include "addins/hosts/DialogInterface.h"

using hostsaddin::DialogOutcome;

extern "C" __attribute__((visibility("default"))) DialogOutcome rmw_hosts_edit_entries(
    std::uint32_t version, hostsaddin::HostList* entries, std::string* error) {
    try {
        if (version != hostsaddin::kDialogInterfaceVersion || !entries || !error) {
            if (error) *error = "The hosts add-in's dialog library belongs to another version.";
            return DialogOutcome::Failed;
        }
        auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
        if (!application || QThread::currentThread() != application->thread()) {
            *error = "The hosts add-in's dialog can only be shown from a program with windows, "
                     "such as Roamwise itself; this program has none.";
            return DialogOutcome::Failed;
        }
        hostsaddin::HostsDialog dialog(*entries, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted) return DialogOutcome::Cancelled;
        *entries = dialog.entries();
        return DialogOutcome::Accepted;
    } catch (...) {
        if (error) *error = "The hosts add-in's dialog failed.";
        return DialogOutcome::Failed;
    }
}
