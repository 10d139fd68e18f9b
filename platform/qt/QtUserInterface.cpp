#include "platform/qt/QtUserInterface.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <stdexcept>

#include "platform/AsciiText.h"
#include "platform/Services.h"
#include "platform/forms/Form.h"
#include "platform/qt/FormBinder.h"
#include "platform/qt/QtText.h"

namespace qtkit {

using platform::MsgBoxButtons;
using platform::MsgBoxIcon;
using platform::MsgBoxResult;

namespace {

QMessageBox::StandardButtons standardButtons(MsgBoxButtons buttons) {
    switch (buttons) {
        case MsgBoxButtons::OKOnly:
            return QMessageBox::Ok;
        case MsgBoxButtons::OKCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgBoxButtons::AbortRetryIgnore:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case MsgBoxButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MsgBoxButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MsgBoxButtons::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton standardButton(MsgBoxResult answer) {
    switch (answer) {
        case MsgBoxResult::OK: return QMessageBox::Ok;
        case MsgBoxResult::Cancel: return QMessageBox::Cancel;
        case MsgBoxResult::Abort: return QMessageBox::Abort;
        case MsgBoxResult::Retry: return QMessageBox::Retry;
        case MsgBoxResult::Ignore: return QMessageBox::Ignore;
        case MsgBoxResult::Yes: return QMessageBox::Yes;
        case MsgBoxResult::No: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

MsgBoxResult answerOf(QMessageBox::StandardButton button, MsgBoxButtons buttons) {
    switch (button) {
        case QMessageBox::Ok: return MsgBoxResult::OK;
        case QMessageBox::Cancel: return MsgBoxResult::Cancel;
        case QMessageBox::Abort: return MsgBoxResult::Abort;
        case QMessageBox::Retry: return MsgBoxResult::Retry;
        case QMessageBox::Ignore: return MsgBoxResult::Ignore;
        case QMessageBox::Yes: return MsgBoxResult::Yes;
        case QMessageBox::No: return MsgBoxResult::No;
        default: break;
    }
    // Closed without a button (only boxes with a way out allow that): their way out.
    return buttons == MsgBoxButtons::OKOnly ? MsgBoxResult::OK : MsgBoxResult::Cancel;
}

QMessageBox::Icon iconOf(MsgBoxIcon icon) {
    switch (icon) {
        case MsgBoxIcon::Critical: return QMessageBox::Critical;
        case MsgBoxIcon::Question: return QMessageBox::Question;
        case MsgBoxIcon::Exclamation: return QMessageBox::Warning;
        case MsgBoxIcon::Information: return QMessageBox::Information;
        case MsgBoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// A description without its own pattern list: "Roamwise Files (*.rmw)" gives
// "Roamwise Files".
QString describedOnly(const std::string& description) {
    const auto open = description.rfind(" (");
    return toQt(open == std::string::npos || description.back() != ')' ? description
                                                                        : description.substr(0, open));
}

// "*.rmw;*.txt" as "*.rmw *.RMW *.txt *.TXT"; "*.*" as "*" (every file, even one without
// an extension, as on Windows).
QString patterns(const std::string& list) {
    QStringList result;
    for (const QString& pattern : toQt(list).split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (trimmed == QStringLiteral("*.*") || trimmed == QStringLiteral("*")) {
            result << QStringLiteral("*");
            continue;
        }
        result << trimmed;
        // Windows names match without regard to case.
        if (trimmed.toUpper() != trimmed) result << trimmed.toUpper();
    }
    return result.join(u' ');
}

}  // namespace

QStringList nameFilters(const std::string& filter) {
    QStringList filters;
    std::size_t start = 0;
    while (start < filter.size()) {
        const auto bar = filter.find('|', start);
        const std::string description = filter.substr(start, bar - start);
        if (bar == std::string::npos) break;
        const auto end = filter.find('|', bar + 1);
        const std::string list = filter.substr(bar + 1, end == std::string::npos ? end : end - bar - 1);
        filters << describedOnly(description) + QStringLiteral(" (") + patterns(list) + u')';
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return filters;
}

class QtUserInterface::PointerPause {
  public:
    explicit PointerPause(const QtUserInterface& ui) : busy_(ui.overrides_ > 0) {
        if (busy_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~PointerPause() {
        if (busy_) QApplication::restoreOverrideCursor();
    }
    PointerPause(const PointerPause&) = delete;
    PointerPause& operator=(const PointerPause&) = delete;

  private:
    bool busy_;
};

QtUserInterface::QtUserInterface() = default;

QtUserInterface::~QtUserInterface() {
    while (!shown_.empty()) {
        forms::Form* form = shown_.begin()->first;
        form->onUnloaded(nullptr);
        forget(form);
    }
    mousePointer(platform::MousePointer::Default);
}

void QtUserInterface::registerWindow(const std::string& formName, WindowMaker maker) {
    makers_[formName] = std::move(maker);
}

std::unique_ptr<QWidget> QtUserInterface::makeWindow(const std::string& formName) const {
    const auto maker = makers_.find(formName);
    if (maker == makers_.end()) throw std::invalid_argument("No window is laid out for the form " + formName);
    return maker->second();
}

QWidget* QtUserInterface::windowOf(const forms::Form& form) const {
    const auto found = shown_.find(const_cast<forms::Form*>(&form));
    return found == shown_.end() ? nullptr : found->second.window.data();
}

MsgBoxResult QtUserInterface::messageBox(const std::string& text, MsgBoxButtons buttons,
                                         MsgBoxIcon icon, const std::string& caption) {
    PointerPause pause(*this);
    QMessageBox box(iconOf(icon), messageText(caption), messageText(text), standardButtons(buttons),
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("messageBox"));
    box.setDefaultButton(standardButton(platform::firstButtonAnswer(buttons)));
    box.exec();
    return answerOf(box.standardButton(box.clickedButton()), buttons);
}

platform::MousePointer QtUserInterface::mousePointer() const {
    return overrides_ > 0 ? platform::MousePointer::Hourglass : platform::MousePointer::Default;
}

// One override at most, so setting the pointer back always restores Qt's own.
void QtUserInterface::mousePointer(platform::MousePointer pointer) {
    const bool busy = pointer == platform::MousePointer::Hourglass;
    if (busy && overrides_ == 0) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        overrides_ = 1;
    } else if (!busy && overrides_ > 0) {
        QApplication::restoreOverrideCursor();
        overrides_ = 0;
    }
}

QWidget* QtUserInterface::parentFor(const forms::Form& form) const {
    if (form.Owner() != nullptr) {
        if (QWidget* owner = windowOf(*form.Owner())) return owner;
    }
    return QApplication::activeWindow();
}

// The window for FORM, bound to it and parented to its owner; the service hears when the
// form unloads.
std::unique_ptr<QWidget> QtUserInterface::prepare(forms::Form& form) {
    std::unique_ptr<QWidget> window = makeWindow(form.Name());
    if (QWidget* parent = parentFor(form)) window->setParent(parent, window->windowFlags() | Qt::Window);
    FormBinder& binder = bindForm(form, *window);
    shown_[&form] = Shown{window.get(), &binder};
    form.onUnloaded([this, &form] { forget(&form); });
    return window;
}

void QtUserInterface::forget(forms::Form* form) {
    const auto found = shown_.find(form);
    if (found == shown_.end()) return;
    Shown shown = found->second;
    shown_.erase(found);
    shown.binder->detach();
    if (!shown.window) return;
    shown.window->close();
    shown.window->hide();
    if (auto* dialog = qobject_cast<QDialog*>(shown.window.data())) dialog->done(QDialog::Rejected);
    if (!shown.window->property("roamwiseModal").toBool()) shown.window->deleteLater();
}

void QtUserInterface::showModal(forms::Form& form) {
    PointerPause pause(*this);
    std::unique_ptr<QWidget> window = prepare(form);
    window->setProperty("roamwiseModal", true);
    if (auto* dialog = qobject_cast<QDialog*>(window.get())) {
        dialog->exec();
    } else {
        window->setWindowModality(Qt::ApplicationModal);
        QEventLoop loop;
        QObject::connect(window.get(), &QObject::destroyed, &loop, &QEventLoop::quit);
        window->show();
        while (shown_.count(&form) != 0 && window->isVisible()) loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    // Dismissed without the form unloading (Form::ShowModal closes it then).
    if (shown_.count(&form) != 0) {
        form.onUnloaded(nullptr);
        forget(&form);
    }
}

void QtUserInterface::showModeless(forms::Form& form) {
    if (QWidget* window = windowOf(form)) {
        window->show();
        window->raise();
        window->activateWindow();
        return;
    }
    QWidget* window = prepare(form).release();  // the window lives until its form unloads
    window->show();
    window->raise();
    window->activateWindow();
}

std::optional<std::string> QtUserInterface::fileDialog(const platform::FileDialogRequest& request) {
    PointerPause pause(*this);
    const bool save = request.kind == platform::FileDialogRequest::Kind::Save;
    QString folder;
    if (!request.initialFolder.empty())
        folder = QString::fromStdString(platform::files().toNative(request.initialFolder).string());
    QFileDialog dialog(QApplication::activeWindow(), toQt(request.title), folder);
    dialog.setObjectName(QStringLiteral("fileDialog"));
    // Qt's own dialog, the same on every desktop (and under test).
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save || !request.fileMustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.promptToOverwrite);
    dialog.setNameFilters(nameFilters(request.filter));
    if (!request.fileName.empty()) dialog.selectFile(toQt(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return platform::files().toWindows(dialog.selectedFiles().first().toStdString());
}

}  // namespace qtkit
