#include "tests/support/ScriptedUserInterface.h"

#include <algorithm>

#include "platform/forms/CheckBox.h"
#include "platform/forms/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/OptionButton.h"

namespace testsupport {

ScriptedUserInterface::~ScriptedUserInterface() {
    for (forms::Form* form : modelessForms_) form->onUnloaded(nullptr);
}

platform::MsgBoxResult ScriptedUserInterface::messageBox(const std::string& text,
                                                         platform::MsgBoxButtons buttons,
                                                         platform::MsgBoxIcon icon,
                                                         const std::string& caption) {
    messages_.push_back({text, buttons, icon, caption});
    if (answers_.empty()) return platform::firstButtonAnswer(buttons);
    auto answer = answers_.front();
    answers_.pop_front();
    return answer;
}

platform::MousePointer ScriptedUserInterface::mousePointer() const { return pointer_; }

void ScriptedUserInterface::mousePointer(platform::MousePointer pointer) {
    pointer_ = pointer;
    pointerHistory_.push_back(pointer);
}

void ScriptedUserInterface::showModal(forms::Form& form) {
    formsShown_.push_back(form.Name());
    if (dialogScripts_.empty()) return;
    DialogScript script = std::move(dialogScripts_.front());
    dialogScripts_.pop_front();
    if (script) script(form);
}

void ScriptedUserInterface::showModeless(forms::Form& form) {
    formsShown_.push_back(form.Name());
    if (std::find(modelessForms_.begin(), modelessForms_.end(), &form) != modelessForms_.end())
        return;  // shown already
    modelessForms_.push_back(&form);
    form.onUnloaded([this, &form] { forgetModeless(form); });
}

void ScriptedUserInterface::forgetModeless(forms::Form& form) {
    modelessForms_.erase(std::remove(modelessForms_.begin(), modelessForms_.end(), &form),
                         modelessForms_.end());
}

std::optional<std::string> ScriptedUserInterface::fileDialog(
    const platform::FileDialogRequest& request) {
    fileRequests_.push_back(request);
    if (files_.empty()) return std::nullopt;
    auto answer = files_.front();
    files_.pop_front();
    return answer;
}

void ScriptedUserInterface::queueAnswer(platform::MsgBoxResult answer) {
    answers_.push_back(answer);
}

void ScriptedUserInterface::queueDialog(DialogScript script) {
    dialogScripts_.push_back(std::move(script));
}

void ScriptedUserInterface::queueFile(std::optional<std::string> path) {
    files_.push_back(std::move(path));
}

const std::vector<ShownMessage>& ScriptedUserInterface::messages() const { return messages_; }

std::vector<std::string> ScriptedUserInterface::messageTexts() const {
    std::vector<std::string> texts;
    for (const ShownMessage& message : messages_) texts.push_back(message.text);
    return texts;
}

const std::vector<platform::MousePointer>& ScriptedUserInterface::pointerHistory() const {
    return pointerHistory_;
}

const std::vector<std::string>& ScriptedUserInterface::formsShown() const { return formsShown_; }

int ScriptedUserInterface::timesShown(const std::string& formName) const {
    return static_cast<int>(std::count(formsShown_.begin(), formsShown_.end(), formName));
}

const std::vector<forms::Form*>& ScriptedUserInterface::modelessForms() const {
    return modelessForms_;
}

const std::vector<platform::FileDialogRequest>& ScriptedUserInterface::fileRequests() const {
    return fileRequests_;
}

void ScriptedUserInterface::clear() {
    answers_.clear();
    dialogScripts_.clear();
    files_.clear();
    messages_.clear();
    pointerHistory_.clear();
    formsShown_.clear();
    fileRequests_.clear();
}

DialogScript setCheck(const std::string& name, int value, DialogScript then) {
    return [name, value, then](forms::Form& form) {
        form.control<forms::CheckBox>(name).Value(value);
        if (then) then(form);
    };
}

DialogScript selectOption(const std::string& name, DialogScript then) {
    return [name, then](forms::Form& form) {
        form.control<forms::OptionButton>(name).click();
        if (then) then(form);
    };
}

DialogScript press(const std::string& name) {
    return [name](forms::Form& form) { form.control<forms::CommandButton>(name).click(); };
}

}  // namespace testsupport
